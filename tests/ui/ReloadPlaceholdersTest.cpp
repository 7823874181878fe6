#include <gtest/gtest.h>

#include "ViewTestFixture.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TestDriver.h"
#include "ui/RefreshView.h"
#include "ui/VornNetErrorRefreshView.h"

namespace vorn::test {
namespace {

using platform::TestDriver;

class ReloadPlaceholdersTest : public ViewTest {};

struct ReloadListener : RefreshViewDelegate {
  int reloads = 0;
  void RefreshCurrentView() override { ++reloads; }
};

struct NetErrorListener : VornNetErrorRefreshViewDelegate {
  int taps = 0;
  VornNetErrorRefreshView* view = nullptr;
  platform::Button* button = nullptr;
  void refreshButtonClicked(VornNetErrorRefreshView& v, platform::Button& b) override {
    ++taps;
    view = &v;
    button = &b;
  }
};
struct SilentListener : VornNetErrorRefreshViewDelegate {};

TEST_F(ReloadPlaceholdersTest, RefreshViewKeepsTheLookOfTheThemeItWasMadeIn) {
  auto day = RefreshView::initWithFrame({110, 190, 100, 100});
  switchToNight();
  auto night = RefreshView::initWithFrame({110, 190, 100, 100});
  switchToDay();
  EXPECT_EQ(day->refreshButton()->alpha(), 1.0);
  EXPECT_TRUE(sameRgb(day->refreshLabel()->textColor(), 69, 69, 69));
  EXPECT_EQ(night->refreshButton()->alpha(), 0.6);
  EXPECT_TRUE(sameRgb(night->refreshLabel()->textColor(), 110, 119, 130));

  EXPECT_EQ(day->refreshLabel()->text(), "点击重新加载");
  EXPECT_EQ(day->refreshButton()->frame(), platform::Rect(15, 10, 70, 70));
  EXPECT_EQ(day->refreshLabel()->frame(), platform::Rect(0, 78, 100, 17));
  EXPECT_TRUE(day->refreshButton()->imageForState(platform::ControlState::Normal));
  EXPECT_TRUE(day->backgroundColor().isClear());
  EXPECT_EQ(day->refreshButton()->superview(), day);
  EXPECT_EQ(day->refreshLabel()->superview(), day);
}

TEST_F(ReloadPlaceholdersTest, TappingTheRefreshViewAsksTheDelegateToReload) {
  auto view = RefreshView::initWithFrame({110, 190, 100, 100});
  window->addSubview(view);
  TestDriver::tap(view->refreshButton());  // no delegate: nothing
  auto listener = std::make_shared<ReloadListener>();
  view->setDelegate(listener);
  TestDriver::tap(view->refreshButton());
  EXPECT_EQ(listener->reloads, 1);
  listener.reset();  // a closed screen is never called
  TestDriver::tap(view->refreshButton());
}

TEST_F(ReloadPlaceholdersTest, NetErrorViewPlacesItsPartsAroundTheCentreOfItsFrame) {
  auto view = VornNetErrorRefreshView::initWithFrame({0, 30, 320, 400});
  window->addSubview(view);
  view->layoutIfNeeded();
  EXPECT_EQ(view->refreshButton()->center(), (platform::Point{160, 170}));
  EXPECT_EQ(view->refreshTipLabel()->center(), (platform::Point{160, 205}));
  EXPECT_EQ(view->refreshButton()->bounds().size, (platform::Size{70, 70}));
  EXPECT_EQ(view->refreshTipLabel()->text(), "点击屏幕，重新加载");
  EXPECT_TRUE(sameRgb(view->refreshTipLabel()->textColor(), 159, 159, 159));

  // A wider view moves the label's centre but keeps its width.
  view->setFrame({0, 30, 400, 400});
  view->layoutIfNeeded();
  EXPECT_EQ(view->refreshTipLabel()->center(), (platform::Point{200, 205}));
  EXPECT_EQ(view->refreshTipLabel()->bounds().width(), 320);
}

TEST_F(ReloadPlaceholdersTest, NetErrorViewLooksTheSameAtNight) {
  switchToNight();
  auto view = VornNetErrorRefreshView::initWithFrame({0, 0, 320, 400});
  EXPECT_TRUE(sameRgb(view->refreshTipLabel()->textColor(), 159, 159, 159));
  EXPECT_EQ(view->refreshButton()->alpha(), 1.0);
}

TEST_F(ReloadPlaceholdersTest, TappingTheNetErrorViewTellsAListeningDelegateOnly) {
  auto view = VornNetErrorRefreshView::initWithFrame({0, 30, 320, 400});
  window->addSubview(view);
  auto silent = std::make_shared<SilentListener>();
  view->setDelegate(silent);
  TestDriver::tap(view->refreshButton());  // answers nothing: nothing happens

  auto listener = std::make_shared<NetErrorListener>();
  view->setDelegate(listener);
  TestDriver::tap(view->refreshButton());
  EXPECT_EQ(listener->taps, 1);
  EXPECT_EQ(listener->view, view.get());
  EXPECT_EQ(listener->button, view->refreshButton().get());
}

}  // namespace
}  // namespace vorn::test
