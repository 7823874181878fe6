// What the renderer draws of a view tree: geometry, visibility, clipping,
// presentation values of running animations, and the screen's furniture.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/ui/Animation.h"
#include "platform/ui/Application.h"
#include "RenderTestFixture.h"

namespace platform::render::testing {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

TEST_F(RenderTest, ScreenPictureIsTheScreenSizeAtTwoPixelsAPoint) {
  Bitmap tall = renderScreen();
  EXPECT_EQ(tall.width(), 640);
  EXPECT_EQ(tall.height(), 1136);
  Screen::mainScreen().setHeight(480);
  Bitmap short_ = renderScreen();
  EXPECT_EQ(short_.height(), 960);
}

TEST_F(RenderTest, EmptyScreenIsBlackAndDrawsWithoutWindows) {
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(b.pixel(320, 600), 0xFF000000u);
}

TEST_F(RenderTest, BackgroundsAreDrawnAtTheirFramesInWindowCoordinates) {
  auto w = whiteWindow();
  auto outer = box({20, 40, 100, 100}, Color::rgba(1, 0, 0));
  auto inner = box({10, 10, 30, 30}, Color::rgba(0, 0, 1));
  outer->addSubview(inner);
  w->addSubview(outer);
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(at(b, 25, 45), kRed);
  EXPECT_EQ(at(b, 31, 51), kBlue);  // from (20+10, 40+10) to (60, 80)
  EXPECT_EQ(at(b, 59, 79), kBlue);
  EXPECT_EQ(at(b, 61, 81), kRed);
  EXPECT_EQ(at(b, 121, 45), kWhite);
}

TEST_F(RenderTest, BoundsOriginShiftsTheSubviewsAsAScrollOffsetDoes) {
  auto w = whiteWindow();
  auto scroller = box({0, 100, 320, 100}, Color::white());
  scroller->addSubview(box({0, 50, 320, 20}, Color::rgba(1, 0, 0)));
  w->addSubview(scroller);
  scroller->setBounds({0, 40, 320, 100});
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(at(b, 100, 111), kRed);  // 100 + 50 - 40
  EXPECT_EQ(at(b, 100, 151), kWhite);
}

TEST_F(RenderTest, HiddenAndNearlyTransparentViewsAreNotDrawn) {
  struct Case {
    const char* name;
    bool hidden;
    double alpha;
    bool drawn;
  } cases[] = {
      {"visible", false, 1.0, true},
      {"hidden", true, 1.0, false},
      {"alpha below a hundredth", false, 0.009, false},
      {"alpha zero", false, 0.0, false},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    Application::sharedApplication().reset();
    auto w = whiteWindow();
    auto v = box({50, 50, 100, 100}, Color::rgba(1, 0, 0));
    v->addSubview(box({10, 10, 10, 10}, Color::rgba(0, 0, 1)));
    v->setHidden(c.hidden);
    v->setAlpha(c.alpha);
    w->addSubview(v);
    Bitmap b = renderScreen(noStatusBar());
    EXPECT_EQ(at(b, 100, 100) == kRed, c.drawn);
    EXPECT_EQ(at(b, 65, 65) == kBlue, c.drawn);
  }
}

TEST_F(RenderTest, AlphaAppliesToTheViewAndItsSubviewsAsOneLayer) {
  auto w = whiteWindow();
  auto v = box({0, 100, 200, 200}, Color::rgba(1, 0, 0));
  v->addSubview(box({0, 0, 100, 100}, Color::rgba(0, 0, 1)));
  v->setAlpha(0.5);
  w->addSubview(v);
  Bitmap b = renderScreen(noStatusBar());
  // Half red over white; the blue child covers its parent inside the group.
  std::uint32_t pink = at(b, 150, 250), lightBlue = at(b, 50, 150);
  EXPECT_EQ(red(pink), 255);
  EXPECT_NEAR(green(pink), 128, 2);
  EXPECT_NEAR(red(lightBlue), 128, 2);
  EXPECT_EQ(blue(lightBlue), 255);
}

TEST_F(RenderTest, ClippingCutsSubviewsAtTheBoundsAndRoundedCorners) {
  auto w = whiteWindow();
  auto clipped = box({20, 100, 100, 100}, Color::rgba(0, 0, 1));
  clipped->addSubview(box({50, 50, 200, 200}, Color::rgba(1, 0, 0)));
  clipped->setClipsToBounds(true);
  auto open = box({170, 100, 100, 100}, Color::rgba(0, 0, 1));
  open->addSubview(box({50, 50, 100, 100}, Color::rgba(1, 0, 0)));
  auto rounded = box({20, 300, 100, 100}, Color::rgba(1, 0, 0));
  rounded->layer().cornerRadius = 30;
  rounded->setClipsToBounds(true);
  rounded->addSubview(box({0, 0, 100, 100}, Color::rgba(0, 0, 1)));
  w->addSubview(clipped);
  w->addSubview(open);
  w->addSubview(rounded);
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(at(b, 110, 190), kRed);
  EXPECT_EQ(at(b, 130, 190), kWhite);   // outside the clipping parent
  EXPECT_EQ(at(b, 290, 230), kRed);     // not clipped: drawn past the parent
  EXPECT_EQ(at(b, 21, 301), kWhite);    // the cut corner
  EXPECT_EQ(at(b, 70, 350), kBlue);
}

TEST_F(RenderTest, CornerRadiusRoundsTheBackgroundWithoutClipping) {
  auto w = whiteWindow();
  auto v = box({20, 100, 100, 100}, Color::rgba(1, 0, 0));
  v->layer().cornerRadius = 40;
  w->addSubview(v);
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(at(b, 22, 102), kWhite);
  EXPECT_EQ(at(b, 70, 150), kRed);
  EXPECT_EQ(at(b, 70, 101), kRed);
}

TEST_F(RenderTest, BorderIsDrawnInsideTheEdgeOverTheSubviews) {
  auto w = whiteWindow();
  auto v = box({20, 100, 100, 100}, Color::white());
  v->layer().borderWidth = 4;
  v->layer().borderColor = Color::rgba(0, 0, 1);
  v->addSubview(box({0, 0, 100, 100}, Color::rgba(1, 0, 0)));
  w->addSubview(v);
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(at(b, 21, 150), kBlue);
  EXPECT_EQ(at(b, 118, 150), kBlue);
  EXPECT_EQ(at(b, 70, 150), kRed);
  EXPECT_EQ(at(b, 19, 150), kWhite);
}

TEST_F(RenderTest, TransformsScaleAndRotateAboutTheCentre) {
  auto w = whiteWindow();
  auto scaled = box({100, 100, 40, 40}, Color::rgba(1, 0, 0));
  scaled->setTransform(AffineTransform::scale(2, 2));  // covers 80..160
  auto turned = box({100, 300, 100, 10}, Color::rgba(0, 0, 1));
  turned->setTransform(AffineTransform::rotation(M_PI / 2));  // now 10 wide, 100 tall about (150, 305)
  w->addSubview(scaled);
  w->addSubview(turned);
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(at(b, 82, 82), kRed);
  EXPECT_EQ(at(b, 158, 158), kRed);
  EXPECT_EQ(at(b, 162, 120), kWhite);
  EXPECT_EQ(at(b, 150, 350), kBlue);
  EXPECT_EQ(at(b, 110, 305), kWhite);
  // A scale of zero shows nothing and does not upset the drawing.
  scaled->setTransform(AffineTransform::scale(0, 0));
  Bitmap none = renderScreen(noStatusBar());
  EXPECT_EQ(at(none, 120, 120), kWhite);
}

TEST_F(RenderTest, RunningAnimationsAreDrawnAtTheirPresentationValues) {
  auto w = whiteWindow();
  auto fading = box({0, 100, 100, 100}, Color::black());
  fading->setAlpha(0);
  auto moving = box({0, 300, 50, 50}, Color::rgba(1, 0, 0));
  w->addSubview(fading);
  w->addSubview(moving);
  double start = now();
  View::animate(1.0, 0, AnimationOption::CurveLinear, [&] {
    fading->setAlpha(1);
    moving->setFrame({200, 300, 50, 50});
  });
  RenderOptions halfway = noStatusBar();
  halfway.time = start + 0.5;
  Bitmap mid = renderScreen(halfway);
  EXPECT_NEAR(red(at(mid, 50, 150)), 128, 3);  // half black over white
  EXPECT_EQ(at(mid, 125, 325), kRed);         // half way from 0 to 200
  EXPECT_EQ(at(mid, 25, 325), kWhite);
  EXPECT_EQ(at(mid, 225, 325), kWhite);

  runFor(1.1);
  Bitmap end = renderScreen(noStatusBar());
  EXPECT_EQ(at(end, 50, 150), 0u);
  EXPECT_EQ(at(end, 225, 325), kRed);
}

TEST_F(RenderTest, WindowsAreDrawnInLevelOrder) {
  auto alert = Window::create({0, 0, 320, 568});
  alert->setWindowLevel(WindowLevel::Alert);
  alert->addSubview(box({100, 100, 100, 100}, Color::rgba(0, 0, 1)));
  alert->setHidden(false);
  auto normal = whiteWindow();  // shown later, still below the alert level
  normal->addSubview(box({50, 50, 200, 200}, Color::rgba(1, 0, 0)));
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(at(b, 150, 150), kBlue);
  EXPECT_EQ(at(b, 60, 60), kRed);
  alert->setHidden(true);
  EXPECT_EQ(at(renderScreen(noStatusBar()), 150, 150), kRed);
}

TEST_F(RenderTest, StatusBarShowsTheTimeAtTheTopUnlessHidden) {
  auto w = whiteWindow();
  auto inkIn = [](const Bitmap& b, int y0, int y1) {
    int dark = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = 0; x < b.width(); ++x)
        if ((b.pixel(x, y) & 0xFF) < 128) ++dark;
    return dark;
  };
  Bitmap shown = renderScreen();
  EXPECT_GT(inkIn(shown, 0, 40), 50);
  EXPECT_EQ(inkIn(shown, 40, 80), 0);
  Application::sharedApplication().setStatusBarHidden(true);
  EXPECT_EQ(inkIn(renderScreen(), 0, 40), 0);
}

TEST_F(RenderTest, KeyboardPanelIsDrawnWhileTheKeyboardIsUp) {
  auto w = whiteWindow();
  Keyboard::shared().show(KeyboardType::Default);
  runFor(0.5);
  Rect keys = Keyboard::shared().frame();
  Bitmap up = renderScreen(noStatusBar());
  EXPECT_NE(at(up, 2, keys.y() + 2), kWhite);
  Keyboard::shared().hide();
  runFor(0.5);
  EXPECT_EQ(at(renderScreen(noStatusBar()), 2, keys.y() + 2), kWhite);
}

TEST_F(RenderTest, RegisteredPainterDrawsItsClassAndOthersShowTheirText) {
  class Gauge : public View {
   public:
    using View::View;
    std::string className() const override { return "RenderTestGauge"; }
  };
  registerPainter("RenderTestGauge", [](PaintContext& c, const View&, const Rect& bounds) {
    fillRoundedRect(c, {bounds.x(), bounds.y(), bounds.width() / 2, bounds.height()}, 0, Color::rgba(0, 0, 1));
  });
  auto w = whiteWindow();
  w->addSubview(std::make_shared<Gauge>(Rect{0, 100, 100, 50}));
  auto text = std::make_shared<TextView>(Rect{0, 200, 320, 40}, "沃恩汽车 Vorn");
  w->addSubview(text);
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(at(b, 25, 125), kBlue);
  EXPECT_EQ(at(b, 75, 125), kWhite);
  int dark = 0;
  for (int y = 400; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if ((b.pixel(x, y) & 0xFF) < 100) ++dark;
  EXPECT_GT(dark, 200);
}

TEST_F(RenderTest, PngIsWrittenAndReadsBackPixelForPixel) {
  auto w = whiteWindow();
  auto v = box({10, 10, 100, 100}, Color::rgba(1, 0, 0, 0.5));
  v->layer().cornerRadius = 20;
  w->addSubview(v);
  Bitmap b = renderScreen();
  std::string path = ::testing::TempDir() + "render-screen.png";
  ASSERT_TRUE(b.writePng(path));
  auto back = Bitmap::readPng(path);
  ASSERT_TRUE(back.has_value());
  auto d = compareBitmaps(b, *back, 0);
  EXPECT_TRUE(d.sameSize);
  EXPECT_EQ(d.differingPixels, 0);
  EXPECT_FALSE(Bitmap::readPng(::testing::TempDir() + "no-such-picture.png").has_value());
  EXPECT_FALSE(b.writePng("/nonexistent-folder/picture.png"));
}

TEST_F(RenderTest, DegenerateTreesDrawWithoutCrashing) {
  auto w = whiteWindow();
  // Deep nesting.
  auto parent = w->shared_from_this();
  for (int i = 0; i < 2000; ++i) {
    auto child = box({1, 1, 300, 500}, Color::rgba(i % 2, 0, 0));
    parent->addSubview(child);
    parent = child;
  }
  // Many siblings, huge and odd geometry.
  for (int i = 0; i < 3000; ++i) w->addSubview(box({double(i % 320), double(i % 568), 5, 5}, Color::rgba(0, 1, 0)));
  auto huge = box({-1e9, -1e9, 2e9, 2e9}, Color::rgba(0, 0, 1, 0.2));
  huge->layer().cornerRadius = 1e8;
  huge->layer().borderWidth = 3;
  huge->setClipsToBounds(true);
  huge->addSubview(box({0, 0, 1e12, 1e12}, Color::rgba(0, 0, 1, 0.2)));
  w->addSubview(huge);
  auto nan = box({0, 0, 10, 10}, Color::black());
  nan->setCenter({std::numeric_limits<double>::quiet_NaN(), 5});
  w->addSubview(nan);
  w->addSubview(box({10, 10, -50, -50}, Color::black()));
  w->addSubview(std::make_shared<TextView>(Rect{0, 0, 1, 1}, std::string(5000, 'x')));
  w->addSubview(std::make_shared<TextView>(Rect{0, 0, 0, 0}, "\xFF\xFE broken"));
  Bitmap b = renderScreen();
  EXPECT_EQ(b.width(), 640);
  Bitmap alone = renderView(*huge);
  EXPECT_LE(alone.width(), 8192);
}

TEST_F(RenderTest, RenderViewDrawsOneSubtreeAtItsOwnSize) {
  auto v = box({100, 100, 60, 30}, Color::rgba(1, 0, 0));
  v->addSubview(box({30, 0, 30, 30}, Color::rgba(0, 0, 1)));
  Bitmap b = renderView(*v);
  EXPECT_EQ(b.width(), 120);
  EXPECT_EQ(b.height(), 60);
  EXPECT_EQ(at(b, 10, 10), kRed);
  EXPECT_EQ(at(b, 40, 10), kBlue);
}

}  // namespace
}  // namespace platform::render::testing
