#pragma once
// A window: the root of a view tree on screen, with a level (normal, status bar,
// alert), a root view controller, and the delivery of touches to its views.
// Windows start hidden; makeKeyAndVisible shows one and makes it the key window.
#include <memory>
#include <vector>

#include "platform/ui/View.h"

namespace platform {

class ViewController;

namespace WindowLevel {
inline constexpr double Normal = 0;
inline constexpr double StatusBar = 1000;
inline constexpr double Alert = 2000;
}  // namespace WindowLevel

class Window : public View {
 public:
  Window();
  explicit Window(const Rect& frame);
  ~Window() override;
  static std::shared_ptr<Window> create(const Rect& frame);
  std::string className() const override { return "Window"; }

  double windowLevel() const { return level_; }
  void setWindowLevel(double level);

  std::shared_ptr<ViewController> rootViewController() const { return root_; }
  // Puts the controller's view in the window, filling it (see placeFullScreenView).
  void setRootViewController(const std::shared_ptr<ViewController>& controller);

  // Interface orientation. The window keeps its portrait coordinates; a
  // full-screen controller view (the root's, a presented one's) fills it for
  // the application's interface orientation: in landscape its bounds' sides are
  // swapped and it is turned a quarter about the window's centre (clockwise
  // for landscape left, the other way for landscape right), upside down half a
  // turn. Subviews follow their autoresizing masks.
  void placeFullScreenView(View& view) const;
  // Places the root's view and the presented controllers' views in the window
  // (rotation calls this inside its animation).
  void layoutForInterfaceOrientation();
  // The way towards the bottom of the interface, `distance` points long, in
  // window coordinates.
  Point interfaceDown(double distance) const;

  void makeKeyAndVisible();
  void makeKeyWindow();
  bool isKeyWindow() const;
  void setHidden(bool hidden) override;

  // Touch delivery: the view under a point (window coordinates), and sending an
  // event's touches to their views and recognizers.
  std::shared_ptr<View> hitTestInWindow(Point point);
  void sendEvent(const Event& event);

  // The responder chain ends at the application.
  Responder* nextResponder() const override;

 private:
  void deliver(TouchPhase phase, const TouchSet& touches, const Event& event);
  double level_ = WindowLevel::Normal;
  std::shared_ptr<ViewController> root_;
  // The touch sequence in progress: touches down, the recognizers watching them,
  // and the touches whose views were cancelled by a recognizer.
  TouchSet active_;
  std::vector<std::shared_ptr<GestureRecognizer>> session_;
  std::vector<const Touch*> viewCancelled_;
  // Touches held back from their views by a recognizer that delays touches-began.
  std::vector<const Touch*> delayed_;
};

}  // namespace platform
