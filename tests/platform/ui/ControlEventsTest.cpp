#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Finger.h"
#include "UiTestFixture.h"
#include "platform/ui/Control.h"
#include "platform/ui/ViewController.h"

namespace platform::testing {
namespace {

class ControlEventsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
    control = Control::create({100, 100, 100, 40});
    window->addSubview(control);
    struct Named { unsigned bit; const char* name; };
    const Named names[] = {{ControlEvent::TouchDown, "down"},           {ControlEvent::TouchDownRepeat, "repeat"},
                           {ControlEvent::TouchDragInside, "drag-in"},  {ControlEvent::TouchDragOutside, "drag-out"},
                           {ControlEvent::TouchDragEnter, "enter"},     {ControlEvent::TouchDragExit, "exit"},
                           {ControlEvent::TouchUpInside, "up-in"},      {ControlEvent::TouchUpOutside, "up-out"},
                           {ControlEvent::TouchCancel, "cancel"}};
    for (auto n : names) {
      std::string name = n.name;
      control->addAction([this, name](Control&) { events.push_back(name); }, n.bit);
    }
  }
  std::shared_ptr<Window> window;
  std::shared_ptr<Control> control;
  std::vector<std::string> events;
};

TEST_F(ControlEventsTest, TouchSequencesSendTheirEventsInOrder) {
  {
    Finger f(window, {150, 120});
    EXPECT_TRUE(control->isHighlighted());
    f.lift();
  }
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up-in"}));
  EXPECT_FALSE(control->isHighlighted());

  events.clear();
  {
    // Out past the slop margin and back: exit, outside, enter.
    Finger f(window, {150, 120});
    f.moveTo({150, 125});
    f.moveTo({150, 300});
    f.moveTo({150, 310});
    EXPECT_FALSE(control->isHighlighted());
    f.moveTo({150, 130});
    f.moveTo({150, 300});
    f.lift();
  }
  EXPECT_EQ(events, (std::vector<std::string>{"down", "drag-in", "exit", "drag-out", "enter", "exit", "up-out"}));

  events.clear();
  {
    Finger f(window, {150, 120}, 2);
    f.cancel();
  }
  EXPECT_EQ(events, (std::vector<std::string>{"down", "repeat", "cancel"}));
}

TEST_F(ControlEventsTest, DisabledControlSendsNothing) {
  control->setEnabled(false);
  tapAt(window, {150, 120});
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(control->state(), ControlState::Disabled);
}

struct Target : std::enable_shared_from_this<Target> {
  int hits = 0;
  void hit(Control&) { ++hits; }
};

TEST_F(ControlEventsTest, TargetsAreHeldWeaklyAndCanBeRemoved) {
  auto target = std::make_shared<Target>();
  control->addTarget(target, &Target::hit, ControlEvent::TouchUpInside);
  control->sendActionsForControlEvents(ControlEvent::TouchUpInside);
  EXPECT_EQ(target->hits, 1);
  control->removeTarget(target.get(), ControlEvent::TouchUpInside);
  control->sendActionsForControlEvents(ControlEvent::TouchUpInside);
  EXPECT_EQ(target->hits, 1);

  control->addTarget(target, &Target::hit, ControlEvent::ValueChanged);
  std::size_t before = control->numberOfActions();
  target.reset();
  control->sendActionsForControlEvents(ControlEvent::ValueChanged);  // gone: nothing runs, no crash
  EXPECT_EQ(control->numberOfActions(), before - 1);
}

// A screen that takes the named action "done".
class DoneScreen : public ViewController, public ActionHandler {
 public:
  int done = 0;
  bool handleAction(const std::string& action, Control&) override {
    if (action != "done") return false;
    ++done;
    return true;
  }
};

TEST_F(ControlEventsTest, ActionWithoutTargetGoesUpTheResponderChain) {
  auto screen = std::make_shared<DoneScreen>();
  window->setRootViewController(screen);
  auto inner = View::create({0, 0, 320, 200});
  screen->view()->addSubview(inner);
  auto button = Control::create({10, 10, 50, 30});
  inner->addSubview(button);
  button->addTarget(nullptr, "done", ControlEvent::TouchUpInside);
  button->addTarget(nullptr, "nobody-takes-this", ControlEvent::TouchUpInside);
  tapAt(window, {20, 20});
  EXPECT_EQ(screen->done, 1);
  EXPECT_FALSE(button->sendNamedAction("nobody-takes-this"));
}

}  // namespace
}  // namespace platform::testing
