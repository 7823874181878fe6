#pragma once
// The city chooser as a view: a title bar "选择城市" (with a back button except
// in the first-run mode), the located city and the stored selected city
// ("selectCityID"/"selectCityName", "475"/"北京" when none is stored). The launch
// puts it over the window on a first run; the location take-over removes it.
#include <memory>
#include <string>

#include "platform/ui/View.h"

namespace platform {
class ActivityIndicatorView;
class Button;
class Label;
}  // namespace platform

namespace vorn {

inline constexpr char kChooseCityTitle[] = "选择城市";
inline constexpr char kLocatingCityText[] = "正在定位城市";
inline constexpr char kSelectCityID[] = "selectCityID";
inline constexpr char kSelectCityName[] = "selectCityName";
inline constexpr char kDefaultCityID[] = "475";
inline constexpr char kDefaultCityName[] = "北京";
// The view type of the launch's first-run chooser.
inline constexpr int kCityViewTypeFirstRun = 1;

class NewCityChangToolView : public platform::View {
 public:
  explicit NewCityChangToolView(const platform::Rect& frame);
  static std::shared_ptr<NewCityChangToolView> initWithFrame(const platform::Rect& frame);
  std::string className() const override { return "NewCityChangToolView"; }

  int viewType() const { return viewType_; }
  // Type 1 (first run) hides the back button and widens the title; others show it.
  void setViewType(int type);
  // Shows "正在定位城市", starts the spinner, clears the located flags and asks
  // the locator for the position.
  void AgainSatellitePositioning();

  const std::shared_ptr<platform::Label>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<platform::Label>& locationLabel() const { return locationLabel_; }
  const std::shared_ptr<platform::Button>& backButton() const { return backButton_; }

 private:
  void build();

  int viewType_ = 0;
  bool located_ = false;
  std::shared_ptr<platform::Label> titleLabel_;
  std::shared_ptr<platform::Button> backButton_;
  std::shared_ptr<platform::Label> locationLabel_;
  std::shared_ptr<platform::Label> selectedLabel_;
  std::shared_ptr<platform::ActivityIndicatorView> spinner_;
};

}  // namespace vorn
