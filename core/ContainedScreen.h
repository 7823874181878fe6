#pragma once
// What a screen tells the navigation container that holds it. The container
// knows no screen class: it asks the screens on its stack through these hooks,
// whose defaults suit an ordinary screen.
namespace vorn {

class ContainedScreen {
 public:
  virtual ~ContainedScreen() = default;
  // Whether an edge swipe may take this screen away.
  virtual bool allowsSwipeBack() const { return true; }
  // An edge swipe is taking the screen above this one away.
  virtual void revealedBySwipeBack() {}
  // An edge swipe took this screen away.
  virtual void leftBySwipeBack() {}
  // A full-screen photo viewer: the container announces the backdrop behind it
  // as it arrives and leaves, and turns back upright when a swipe takes it
  // away while it had turned with the device.
  virtual bool showsPhotosFullScreen() const { return false; }
};

}  // namespace vorn
