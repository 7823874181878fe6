// Rendered scenes compared with checked-in pictures (VORN_UPDATE_GOLDEN=1
// rewrites them after a deliberate change of the drawing).
#include <gtest/gtest.h>

#include <cmath>

#include "GoldenImage.h"
#include "platform/ui/MapView.h"
#include "platform/ui/WebView.h"
#include "RenderTestFixture.h"

namespace platform::render::testing {
namespace {

class GoldenSceneTest : public RenderTest {
 protected:
  // The clock at a fixed moment so the status bar's time is the same every run.
  void SetUp() override {
    RenderTest::SetUp();
    RunLoop::main().useVirtualClock(1'765'373'400);  // 21:30 in Shanghai
  }
};

TEST_F(GoldenSceneTest, LabelledColouredLayout) {
  auto w = whiteWindow();
  auto bar = box({0, 20, 320, 44}, Color::rgb255(200, 30, 40));
  bar->addSubview(std::make_shared<TextView>(Rect{12, 0, 296, 44}, "沃恩汽车"));
  w->addSubview(bar);
  const Color tiles[] = {Color::rgb255(66, 133, 244), Color::rgb255(52, 168, 83), Color::rgb255(251, 188, 5),
                         Color::rgb255(120, 120, 120)};
  for (int i = 0; i < 4; ++i) {
    auto tile = box({10.0 + 155 * (i % 2), 80.0 + 110 * (i / 2), 145, 100}, tiles[i]);
    tile->addSubview(std::make_shared<TextView>(Rect{8, 56, 129, 40}, "新闻 News " + std::to_string(i + 1)));
    w->addSubview(tile);
  }
  w->addSubview(std::make_shared<TextView>(
      Rect{10, 310, 300, 120}, "长文本会在视图的宽度内换行，超出的部分以省略号结尾。Long text wraps by words too."));
  EXPECT_TRUE(matchesGolden(renderScreen(), "labelled-layout"));
}

TEST_F(GoldenSceneTest, CornersAlphaBordersAndTransforms) {
  auto w = whiteWindow();
  auto card = box({20, 40, 280, 160}, Color::rgb255(30, 144, 255));
  card->layer().cornerRadius = 16;
  card->layer().borderWidth = 3;
  card->layer().borderColor = Color::rgb255(0, 60, 120);
  card->setClipsToBounds(true);
  card->addSubview(box({200, 100, 120, 120}, Color::rgb255(255, 215, 0)));
  w->addSubview(card);
  auto faded = box({40, 240, 120, 120}, Color::rgb255(220, 20, 60));
  faded->setAlpha(0.4);
  w->addSubview(faded);
  auto turned = box({170, 260, 100, 60}, Color::rgb255(46, 139, 87));
  turned->setTransform(AffineTransform::rotation(M_PI / 8).scaled(1.2, 1.2));
  turned->layer().cornerRadius = 8;
  w->addSubview(turned);
  auto shadowed = box({60, 420, 200, 80}, Color::white());
  shadowed->layer().shadowOpacity = 0.6;
  shadowed->layer().shadowOffset = {0, 3};
  shadowed->layer().cornerRadius = 10;
  w->addSubview(shadowed);
  EXPECT_TRUE(matchesGolden(renderScreen(), "corners-alpha-transforms"));
}

TEST_F(GoldenSceneTest, AlertLevelWindowOverAScreenWithTheKeyboardUp) {
  auto w = whiteWindow();
  w->addSubview(box({0, 20, 320, 44}, Color::rgb255(245, 245, 245)));
  auto dim = Window::create({0, 0, 320, 568});
  dim->setWindowLevel(WindowLevel::Alert);
  dim->setBackgroundColor(Color::black().withAlpha(0.4));
  auto panel = box({30, 180, 260, 140}, Color::white(0.97));
  panel->layer().cornerRadius = 8;
  panel->addSubview(std::make_shared<TextView>(Rect{16, 10, 228, 80}, "网络不可用，请稍后再试"));
  dim->addSubview(panel);
  dim->setHidden(false);
  Keyboard::shared().show(KeyboardType::Default);
  runFor(0.5);
  EXPECT_TRUE(matchesGolden(renderScreen(), "alert-window-keyboard"));
}

TEST_F(GoldenSceneTest, WebPageTextAndLinksOverAMapWithPins) {
  auto w = whiteWindow();
  auto web = std::make_shared<WebView>(Rect{0, 20, 320, 260});
  web->loadHTMLString(
      "<html><head><title>试驾报告</title><style>p{color:red}</style></head><body>"
      "<p>这款车的油耗表现&amp;操控都不错。The ride is calm on the highway.</p>"
      "<script>var x = '<p>hidden</p>';</script>"
      "<p>更多内容见 <a href=\"/more\">全文阅读</a> 或 <a href=\"/list\">返回列表</a></p></body></html>",
      "http://example.test/");
  w->addSubview(web);
  auto map = std::make_shared<MapView>(Rect{0, 290, 320, 278});
  map->setRegion({{39.9, 116.4}, {0.1, 0.1}}, false);
  map->addAnnotation(std::make_shared<PointAnnotation>(LocationCoordinate2D{39.9, 116.4}, "4S店"));
  map->addAnnotation(std::make_shared<PointAnnotation>(LocationCoordinate2D{39.92, 116.42}, "展厅"));
  w->addSubview(map);
  runFor(0.5);
  map->selectAnnotation(map->annotations().front(), false);
  runFor(0.5);
  EXPECT_TRUE(matchesGolden(renderScreen(), "web-page-and-map"));
}

}  // namespace
}  // namespace platform::render::testing
