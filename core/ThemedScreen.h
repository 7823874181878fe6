#pragma once
// The base of a screen that follows the day/night theme by itself: it paints in
// the current theme as soon as its view is built and again whenever the theme
// changes, and answers its container's questions with the ordinary defaults.
//
//   class NewsViewController : public ThemedScreen {
//    public:
//     PLATFORM_CLASS_NAME(NewsViewController)
//    protected:
//     void setUpScreen() override;                 // builds the views, in order
//     void receivedThemeChangeNotify() override;   // repaints them (call the base first)
//   };
#include "core/ContainedScreen.h"
#include "core/ThemeChangeBaseViewController.h"

namespace vorn {

class ThemedScreen : public ThemeChangeBaseViewController, public ContainedScreen {
 public:
  // Observes the theme, builds the screen, then paints it once.
  void viewDidLoad() final;

 protected:
  // The screen's own building, run while its view loads.
  virtual void setUpScreen() {}
};

}  // namespace vorn
