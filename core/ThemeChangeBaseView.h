#pragma once
// The background of the full-width rows of the settings and about screens: a
// custom button with a hairline at its top and bottom edge, painted in the
// colours of the current theme from its creation on and repainted whenever
// "ThemeChangeNotify" is posted, until it is destroyed.
#include <memory>

#include "platform/ui/Button.h"

namespace platform {
class ImageView;
}

namespace vorn {

class ThemeChangeBaseView : public platform::Button {
 public:
  // Made with initWithFrame (or a subclass's factory calling addLines), which
  // adds the hairlines and paints the row.
  explicit ThemeChangeBaseView(const platform::Rect& frame = {});
  ~ThemeChangeBaseView() override;
  static std::shared_ptr<ThemeChangeBaseView> initWithFrame(const platform::Rect& frame) {
    auto row = std::make_shared<ThemeChangeBaseView>(frame);
    row->addLines();
    return row;
  }
  std::string className() const override { return "ThemeChangeBaseView"; }

  // Paints the row and both hairlines for the current theme.
  virtual void recievedThemeChangeNotify();

  const std::shared_ptr<platform::ImageView>& topLine() const { return topLine_; }
  const std::shared_ptr<platform::ImageView>& bottomLine() const { return bottomLine_; }

  static platform::Color backgroundColorForMode(const std::string& mode);
  static platform::Color lineColorForMode(const std::string& mode);

 protected:
  void addLines() {
    addTopLine();
    addBottomLine();
  }

 private:
  void addTopLine();
  void addBottomLine();

  std::shared_ptr<platform::ImageView> topLine_;
  std::shared_ptr<platform::ImageView> bottomLine_;
};

}  // namespace vorn
