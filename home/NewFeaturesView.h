#pragma once
// The new-version guide: a full-screen picture over everything on the first
// run of a version. A touch fades it out and hands over to the home screen (its
// focus pictures, the pending push card).
#include <memory>
#include <string>

#include "platform/ui/View.h"

namespace platform {
class ImageView;
}

namespace vorn {

inline constexpr char kNewFeaturesTallImage[] = "newBg.png";
inline constexpr char kNewFeaturesShortImage[] = "newBg_960.png";
inline constexpr double kNewFeaturesFadeSeconds = 1.0;

class NewFeaturesView : public platform::View {
 public:
  explicit NewFeaturesView(const platform::Rect& frame);
  static std::shared_ptr<NewFeaturesView> initWithFrame(const platform::Rect& frame);
  std::string className() const override { return "NewFeaturesView"; }

  void touchesEnded(const platform::TouchSet& touches, const platform::Event& event) override;

 private:
  void build();
  void close();

  std::shared_ptr<platform::ImageView> picture_;
  bool closing_ = false;
};

}  // namespace vorn
