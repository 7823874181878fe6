// Pictures on screen: placed by the view's content mode, the highlighted one
// while highlighted, stretchable ones with their caps kept pixel for pixel,
// pictures loaded by name or decoded from bytes, layer contents and pattern
// colours of any view.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/render/ImagePainter.h"
#include "platform/ui/ImageView.h"
#include "RenderTestFixture.h"

namespace platform::render::testing {
namespace {

class ImagePaintingTest : public RenderTest {
 protected:
  void TearDown() override {
    Image::clearCache();
    RenderTest::TearDown();
  }
};

TEST_F(ImagePaintingTest, ContentModesPlaceThePictureAsThePlatformDoes) {
  // A 20 x 10 point picture in a 100 x 100 view at (100, 100).
  struct Case {
    ContentMode mode;
    Rect drawn;  // window points
  } cases[] = {
      {ContentMode::ScaleToFill, {100, 100, 100, 100}}, {ContentMode::Redraw, {100, 100, 100, 100}},
      {ContentMode::ScaleAspectFit, {100, 125, 100, 50}}, {ContentMode::ScaleAspectFill, {100, 100, 100, 100}},
      {ContentMode::Center, {140, 145, 20, 10}},          {ContentMode::Top, {140, 100, 20, 10}},
      {ContentMode::Bottom, {140, 190, 20, 10}},          {ContentMode::Left, {100, 145, 20, 10}},
      {ContentMode::Right, {180, 145, 20, 10}},           {ContentMode::TopLeft, {100, 100, 20, 10}},
      {ContentMode::TopRight, {180, 100, 20, 10}},        {ContentMode::BottomLeft, {100, 190, 20, 10}},
      {ContentMode::BottomRight, {180, 190, 20, 10}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    Application::sharedApplication().reset();
    auto w = whiteWindow();
    auto view = ImageView::create({100, 100, 100, 100});
    view->setImage(solidImage(40, 20, 0xFF0000));
    view->setContentMode(c.mode);
    w->addSubview(view);
    auto ink = inkBox(renderScreen(noStatusBar()), {80, 80, 140, 140});
    ASSERT_TRUE(ink.has_value());
    EXPECT_NEAR(ink->x(), c.drawn.x(), 0.5);
    EXPECT_NEAR(ink->y(), c.drawn.y(), 0.5);
    EXPECT_NEAR(ink->width(), c.drawn.width(), 0.5);
    EXPECT_NEAR(ink->height(), c.drawn.height(), 0.5);
  }
}

TEST_F(ImagePaintingTest, PicturesKeepTheirScaleAndOrientation) {
  auto w = whiteWindow();
  // 40 x 20 pixels at scale 1 are 40 x 20 points; turned a quarter they stand 20 x 40.
  auto one = ImageView::create({0, 100, 100, 100});
  one->setContentMode(ContentMode::TopLeft);
  one->setImage(solidImage(40, 20, 0xFF0000, 1));
  auto turned = ImageView::create({150, 100, 100, 100});
  turned->setContentMode(ContentMode::TopLeft);
  turned->setImage(solidImage(40, 20, 0x0000FF, 2)->withOrientation(ImageOrientation::Right));
  w->addSubview(one);
  w->addSubview(turned);
  Bitmap b = renderScreen(noStatusBar());
  auto a = inkBox(b, {0, 100, 100, 100});
  auto t = inkBox(b, {150, 100, 100, 100});
  ASSERT_TRUE(a && t);
  EXPECT_NEAR(a->width(), 40, 0.5);
  EXPECT_NEAR(a->height(), 20, 0.5);
  EXPECT_NEAR(t->width(), 10, 0.5);
  EXPECT_NEAR(t->height(), 20, 0.5);
}

// A screen's own picture view class (its own class name) keeps the picture view's look.
class TappablePictureView : public ImageView {
 public:
  using ImageView::ImageView;
  std::string className() const override { return "TappablePictureView"; }
};

TEST_F(ImagePaintingTest, HighlightedPictureShowsWhileHighlightedAlsoInSubclasses) {
  auto w = whiteWindow();
  auto view = std::make_shared<TappablePictureView>(Rect{100, 100, 50, 50});
  view->setImage(solidImage(2, 2, 0xFF0000));
  view->setHighlightedImage(solidImage(2, 2, 0x0000FF));
  w->addSubview(view);
  EXPECT_EQ(at(renderScreen(noStatusBar()), 125, 125), 0xFF0000u);
  view->setHighlighted(true);
  EXPECT_EQ(at(renderScreen(noStatusBar()), 125, 125), 0x0000FFu);
}

// A 10 x 10 pixel picture at scale 2 whose every pixel differs from its
// neighbours in the caps (2 points each side) and is grey in the middle.
std::shared_ptr<Image> patternedPicture() {
  std::vector<std::uint8_t> px;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      bool middle = x >= 4 && x < 6 && y >= 4 && y < 6;
      auto level = static_cast<std::uint8_t>(middle ? 128 : 20 * x + 5);
      px.insert(px.end(), {level, static_cast<std::uint8_t>(middle ? 128 : 20 * y + 5),
                           static_cast<std::uint8_t>(middle ? 128 : 255 - 20 * x), 255});
    }
  return Image::create(10, 10, 2, px);
}

TEST_F(ImagePaintingTest, StretchableCapsKeepTheirPixelsAndTheMiddleStretches) {
  auto w = whiteWindow();
  auto picture = patternedPicture();
  auto stretchable = picture->resizableImage({2, 2, 2, 2});
  auto view = ImageView::create({100, 100, 120, 60});
  view->setImage(stretchable);
  w->addSubview(view);
  Bitmap b = renderScreen(noStatusBar());
  // Screen pixel (200 + x, 200 + y) for the top-left cap, mirrored for the others.
  auto expectCap = [&](int screenX0, int screenY0, int pictureX0, int pictureY0) {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        Color c = picture->pixelAt(pictureX0 + x, pictureY0 + y);
        std::uint32_t want = (static_cast<std::uint32_t>(std::lround(c.red * 255)) << 16) |
                             (static_cast<std::uint32_t>(std::lround(c.green * 255)) << 8) |
                             static_cast<std::uint32_t>(std::lround(c.blue * 255));
        EXPECT_EQ(b.pixel(screenX0 + x, screenY0 + y) & 0xFFFFFF, want) << x << "," << y;
      }
  };
  expectCap(200, 200, 0, 0);      // top left
  expectCap(436, 200, 6, 0);      // top right: (100 + 120) * 2 - 4
  expectCap(200, 316, 0, 6);      // bottom left
  expectCap(436, 316, 6, 6);      // bottom right
  // The middle is the grey stretched over the rest.
  EXPECT_EQ(at(b, 160, 130), 0x808080u);
  // Drawn plainly the same picture scales its corners too.
  view->setImage(picture);
  Bitmap plain = renderScreen(noStatusBar());
  EXPECT_NE(plain.pixel(203, 200), b.pixel(203, 200));
}

TEST_F(ImagePaintingTest, StretchableImageWithOnePointMiddleFromCapWidths) {
  auto w = whiteWindow();
  auto view = ImageView::create({100, 100, 200, 30});
  view->setImage(patternedPicture()->stretchableImage(2, 0));
  w->addSubview(view);
  Bitmap b = renderScreen(noStatusBar());
  auto ink = inkBox(b, {90, 90, 220, 50});
  ASSERT_TRUE(ink.has_value());
  EXPECT_NEAR(ink->width(), 200, 0.5);
  EXPECT_NEAR(ink->height(), 30, 0.5);
  // The left cap (2 points) and the right one (the rest after a one-point
  // middle, also 2 points) keep their columns: red and blue follow the
  // picture's x exactly.
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    std::uint32_t left = b.pixel(200 + i, 230), right = b.pixel(596 + i, 230);
    EXPECT_EQ(red(left & 0xFFFFFF), 20 * i + 5);
    EXPECT_EQ(blue(left & 0xFFFFFF), 255 - 20 * i);
    EXPECT_EQ(red(right & 0xFFFFFF), 20 * (6 + i) + 5);
    EXPECT_EQ(blue(right & 0xFFFFFF), 255 - 20 * (6 + i));
  }
}

TEST_F(ImagePaintingTest, NamedAndDecodedPicturesAreDrawn) {
  auto folder = std::filesystem::path(::testing::TempDir()) / "render-images";
  std::filesystem::create_directories(folder);
  {
    std::ofstream out(folder / "badge@2x.png", std::ios::binary);
    out << solidImage(8, 8, 0x00FF00)->pngData();
  }
  Image::setResourceDirectory(folder.string());
  Image::clearCache();
  auto named = Image::imageNamed("badge.png");
  ASSERT_TRUE(named);
  auto decoded = Image::imageWithData(solidImage(4, 4, 0x0000FF, 1)->pngData());
  ASSERT_TRUE(decoded);
  auto w = whiteWindow();
  auto a = ImageView::initWithImage(named);
  a->setCenter({50, 150});
  auto d = ImageView::initWithImage(decoded);
  d->setCenter({150, 150});
  w->addSubview(a);
  w->addSubview(d);
  Bitmap b = renderScreen(noStatusBar());
  auto ai = inkBox(b, {0, 100, 100, 100});
  ASSERT_TRUE(ai.has_value());
  EXPECT_NEAR(ai->width(), 4, 0.5);  // 8 pixels at 2x
  EXPECT_EQ(at(b, 50, 150), 0x00FF00u);
  EXPECT_EQ(at(b, 150, 150), 0x0000FFu);
}

TEST_F(ImagePaintingTest, LayerContentsAndPatternColoursDrawForAnyView) {
  auto w = whiteWindow();
  auto plain = View::create({20, 100, 60, 60});
  plain->layer().contents = solidImage(2, 2, 0xFF0000);
  auto centred = View::create({100, 100, 60, 60});
  centred->layer().contents = solidImage(20, 20, 0x0000FF);  // 10 x 10 points
  centred->setContentMode(ContentMode::Center);
  auto tiled = View::create({180, 100, 60, 60});
  std::vector<std::uint8_t> checker;
  for (int i = 0; i < 4; ++i)
    checker.insert(checker.end(), {static_cast<std::uint8_t>(i == 0 || i == 3 ? 0 : 255), 0, 0, 255});
  tiled->setBackgroundColor(Color::patternImage(Image::create(2, 2, 2, checker)));  // one screen pixel a square
  w->addSubview(plain);
  w->addSubview(centred);
  w->addSubview(tiled);
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(at(b, 21, 101), 0xFF0000u);
  EXPECT_EQ(at(b, 79, 159), 0xFF0000u);
  EXPECT_EQ(at(b, 130, 130), 0x0000FFu);
  EXPECT_EQ(at(b, 102, 102), 0xFFFFFFu);
  // Alternating squares, not the black an unknown colour would give.
  EXPECT_EQ(b.pixel(360, 200) & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(b.pixel(361, 200) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(b.pixel(361, 201) & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(b.pixel(400, 250) & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(b.pixel(401, 250) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(ImagePaintingTest, OddPicturesAndSizesLeaveTheRestOfTheScreenDrawn) {
  auto w = whiteWindow();
  auto add = [&](const Rect& frame, std::shared_ptr<const Image> image, ContentMode mode) {
    auto view = ImageView::create(frame);
    view->setImage(std::move(image));
    view->setContentMode(mode);
    w->addSubview(view);
  };
  add({-1e9, -1e9, 2e9, 2e9}, solidImage(3, 2, 0x00FF00), ContentMode::ScaleAspectFill);
  add({10, 10, 1e-9, 1e-9}, solidImage(3, 2, 0x00FF00), ContentMode::ScaleToFill);
  add({10, 10, 50, 50}, Image::create(0, 0), ContentMode::ScaleToFill);
  add({10, 10, 50, 50}, Image::create(4, 4, 2, {255, 0, 0, 255}), ContentMode::ScaleToFill);  // pixels missing
  add({10, 10, 50, 50}, solidImage(4, 4, 0x00FF00)->resizableImage({100, 100, 100, 100}), ContentMode::ScaleToFill);
  add({10, 10, 50, 50}, solidImage(4, 4, 0x00FF00, 0), ContentMode::Center);
  w->addSubview(box({100, 300, 50, 50}, Color::rgba(1, 0, 0)));
  Bitmap b = renderScreen(noStatusBar());
  EXPECT_EQ(at(b, 125, 325), 0xFF0000u);
}

}  // namespace
}  // namespace platform::render::testing
