#include <cmath>

#include "UiTestFixture.h"
#include "platform/ui/View.h"

namespace platform::testing {
namespace {

using ViewGeometryTest = UiTest;

TEST_F(ViewGeometryTest, FrameBoundsAndCentreStayConsistent) {
  auto v = View::create({10, 20, 100, 50});
  expectRect(v->bounds(), 0, 0, 100, 50);
  EXPECT_EQ(v->center(), (Point{60, 45}));
  v->setCenter({160, 100});
  expectRect(v->frame(), 110, 75, 100, 50);
  v->setBounds({0, 0, 200, 50});
  expectRect(v->frame(), 60, 75, 200, 50);

  // A transform changes the frame around the centre, not the bounds.
  v->setTransform(AffineTransform::translation(-80, 0));
  expectRect(v->frame(), -20, 75, 200, 50);
  expectRect(v->bounds(), 0, 0, 200, 50);
  v->setTransform(AffineTransform::scale(0.5, 2));
  expectRect(v->frame(), 110, 50, 100, 100);
  v->setTransform(AffineTransform::identity());
  expectRect(v->frame(), 60, 75, 200, 50);
}

TEST_F(ViewGeometryTest, SubviewOrderFollowsEveryInsertion) {
  auto parent = View::create();
  std::vector<std::shared_ptr<View>> v;
  for (int i = 0; i < 4; ++i) {
    v.push_back(View::create());
    v.back()->setTag(i);
  }
  auto order = [&] {
    std::string s;
    for (auto& c : parent->subviews()) s += std::to_string(c->tag());
    return s;
  };
  parent->addSubview(v[0]);
  parent->addSubview(v[1]);
  EXPECT_EQ(order(), "01");
  parent->insertSubview(v[2], 0);
  EXPECT_EQ(order(), "201");
  parent->insertSubviewAbove(v[3], v[2]);
  EXPECT_EQ(order(), "2301");
  parent->insertSubviewBelow(v[1], v[3]);
  EXPECT_EQ(order(), "2130");
  parent->bringSubviewToFront(v[2]);
  EXPECT_EQ(order(), "1302");
  parent->sendSubviewToBack(v[0]);
  EXPECT_EQ(order(), "0132");
  parent->addSubview(v[1]);  // adding again moves it to the front
  EXPECT_EQ(order(), "0321");
  v[3]->removeFromSuperview();
  EXPECT_EQ(order(), "021");
  EXPECT_EQ(v[3]->superview(), nullptr);
  EXPECT_EQ(v[0]->superview(), parent);

  auto other = View::create();
  other->addSubview(v[0]);  // moving to another parent leaves the first
  EXPECT_EQ(order(), "21");
  EXPECT_EQ(v[0]->superview(), other);
}

TEST_F(ViewGeometryTest, ViewWithTagSearchesDepthFirstIncludingItself) {
  auto root = View::create();
  root->setTag(1);
  auto a = View::create(), b = View::create(), deep = View::create();
  a->setTag(2);
  b->setTag(3);
  deep->setTag(3);
  root->addSubview(a);
  a->addSubview(deep);
  root->addSubview(b);
  EXPECT_EQ(root->viewWithTag(1), root);
  EXPECT_EQ(root->viewWithTag(3), deep);
  EXPECT_EQ(root->viewWithTag(99), nullptr);
}

TEST_F(ViewGeometryTest, HitTestSkipsHiddenTransparentAndNonInteractiveViews) {
  auto root = View::create({0, 0, 320, 480});
  auto back = View::create({0, 0, 100, 100});
  auto front = View::create({0, 0, 100, 100});
  root->addSubview(back);
  root->addSubview(front);
  EXPECT_EQ(root->hitTest({50, 50}), front);

  struct Case { const char* name; std::function<void()> change; bool frontHit; };
  Case cases[] = {
      {"hidden", [&] { front->setHidden(true); }, false},
      {"alpha below 0.01", [&] { front->setAlpha(0.009); }, false},
      {"alpha at 0.01", [&] { front->setAlpha(0.01); }, true},
      {"interaction off", [&] { front->setUserInteractionEnabled(false); }, false},
  };
  for (auto& c : cases) {
    front->setHidden(false);
    front->setAlpha(1);
    front->setUserInteractionEnabled(true);
    c.change();
    EXPECT_EQ(root->hitTest({50, 50}), c.frontHit ? front : back) << c.name;
  }
}

TEST_F(ViewGeometryTest, SubviewsOutsideTheirParentAreNotHit) {
  auto root = View::create({0, 0, 320, 480});
  auto panel = View::create({-320, 50, 340, 364});  // only 20 points on screen
  auto child = View::create({0, 0, 300, 100});      // entirely left of the screen
  panel->addSubview(child);
  root->addSubview(panel);
  EXPECT_EQ(root->hitTest({10, 60}), panel);
  EXPECT_EQ(root->hitTest({25, 60}), root);
  auto outside = View::create({400, 0, 50, 50});
  root->addSubview(outside);
  EXPECT_EQ(root->hitTest({410, 10}), nullptr);  // outside the root itself
}

TEST_F(ViewGeometryTest, ConversionFollowsFramesBoundsOriginsAndTransforms) {
  auto window = makeWindow();
  auto scroller = View::create({0, 100, 320, 200});
  scroller->setBounds({0, 50, 320, 200});  // scrolled down by 50
  auto content = View::create({10, 60, 100, 100});
  scroller->addSubview(content);
  window->addSubview(scroller);

  EXPECT_EQ(content->convertPointToView({0, 0}, nullptr), (Point{10, 110}));
  EXPECT_EQ(content->convertPointFromView({10, 110}, nullptr), (Point{0, 0}));
  expectRect(content->frameInWindow(), 10, 110, 100, 100);

  auto moved = View::create({0, 0, 320, 568});
  moved->setTransform(AffineTransform::translation(80, 0));
  auto inner = View::create({20, 30, 10, 10});
  moved->addSubview(inner);
  window->addSubview(moved);
  EXPECT_EQ(inner->convertPointToView({0, 0}, content.get()), (Point{90, -80}));
  EXPECT_EQ(content->convertPointToView({90, -80}, inner.get()), (Point{0, 0}));

  // Rotation by a quarter turn about the centre.
  auto turned = View::create({0, 0, 100, 50});
  turned->setTransform(AffineTransform::rotation(M_PI / 2));
  window->addSubview(turned);
  Point p = turned->convertPointToView({0, 0}, nullptr);
  EXPECT_NEAR(p.x, 75, 1e-9);
  EXPECT_NEAR(p.y, -25, 1e-9);
}

TEST_F(ViewGeometryTest, AutoresizingSharesTheChangeAmongFlexibleParts) {
  auto parent = View::create({0, 0, 320, 480});
  auto fill = View::create({0, 0, 320, 480});
  fill->setAutoresizingMask(Autoresizing::FlexibleWidth | Autoresizing::FlexibleHeight);
  auto bottomBar = View::create({0, 430, 320, 50});
  bottomBar->setAutoresizingMask(Autoresizing::FlexibleTopMargin);
  auto fixed = View::create({10, 10, 30, 30});
  parent->addSubview(fill);
  parent->addSubview(bottomBar);
  parent->addSubview(fixed);
  parent->setFrame({0, 0, 320, 568});
  expectRect(fill->frame(), 0, 0, 320, 568);
  expectRect(bottomBar->frame(), 0, 518, 320, 50);
  expectRect(fixed->frame(), 10, 10, 30, 30);
}

TEST_F(ViewGeometryTest, LayoutRunsOnTheNextTurnForViewsInWindows) {
  struct Counting : View {
    int layouts = 0;
    void layoutSubviews() override { ++layouts; }
  };
  auto window = makeWindow();
  auto v = std::make_shared<Counting>();
  window->addSubview(v);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(v->layouts, 1);
  v->setNeedsLayout();
  v->setNeedsLayout();
  EXPECT_EQ(v->layouts, 1);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(v->layouts, 2);
  v->setNeedsLayout();
  v->layoutIfNeeded();
  EXPECT_EQ(v->layouts, 3);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(v->layouts, 3);
}

}  // namespace
}  // namespace platform::testing
