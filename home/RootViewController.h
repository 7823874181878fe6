#pragma once
// The home screen. The launch makes it the root child of the home container and
// the application delegate keeps it as viewController.
#include <string>

#include "core/ThemedScreen.h"

namespace vorn {

class RootViewController : public ThemedScreen {
 public:
  RootViewController() = default;
  PLATFORM_CLASS_NAME(RootViewController)

  // Fetches the focus pictures of the home carousel and fills it.
  virtual void getHotImageData();

  // True while a home band opened with the expand animation is on top.
  bool expand() const { return expand_; }
  void setExpand(bool expand) { expand_ = expand; }

  // Coming back here by an edge swipe closes the opened band.
  void revealedBySwipeBack() override { setExpand(false); }

 private:
  bool expand_ = false;
};

}  // namespace vorn
