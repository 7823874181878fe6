#include <filesystem>
#include <fstream>

#include "UiTestFixture.h"
#include "platform/ui/Image.h"
#include "platform/ui/View.h"

namespace platform::testing {
namespace {

class ImageTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    dir = std::filesystem::temp_directory_path() / ("vorn-images-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    saved = Image::resourceDirectory();
    Image::setResourceDirectory(dir.string());
  }
  void TearDown() override {
    Image::setResourceDirectory(saved);
    std::filesystem::remove_all(dir);
    UiTest::TearDown();
  }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
  }
  // A 4x2 picture: red left half, blue right half.
  static std::shared_ptr<Image> sample() {
    auto image = Image::create(4, 2, 1);
    auto& px = image->mutablePixels();
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x) {
        auto* p = &px[(y * 4 + x) * 4];
        p[0] = x < 2 ? 255 : 0;
        p[2] = x < 2 ? 0 : 255;
        p[3] = 255;
      }
    return image;
  }
  std::filesystem::path dir;
  std::string saved;
};

TEST_F(ImageTest, PngRoundTripKeepsEveryPixelAndJpegStaysClose) {
  auto image = sample();
  auto back = Image::imageWithData(image->pngData());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->pixels(), image->pixels());

  auto big = Image::imageWithColor(Color::rgb255(53, 160, 217), {16, 16});
  auto jpeg = Image::imageWithData(big->jpegData(0.9));
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(jpeg->size(), (Size{16, 16}));
  Color c = jpeg->pixelAt(8, 8);
  EXPECT_NEAR(c.red255(), 53, 3);
  EXPECT_NEAR(c.green255(), 160, 3);
  EXPECT_NEAR(c.blue255(), 217, 3);
  EXPECT_LT(big->jpegData(0.1).size(), big->jpegData(1.0).size());
}

TEST_F(ImageTest, BadBytesGiveNoPicture) {
  EXPECT_EQ(Image::imageWithData(""), nullptr);
  EXPECT_EQ(Image::imageWithData("not a picture"), nullptr);
  std::string png = sample()->pngData();
  EXPECT_EQ(Image::imageWithData(png.substr(0, png.size() / 2)), nullptr);
  std::string jpeg = sample()->jpegData(0.8);
  EXPECT_EQ(Image::imageWithData(jpeg.substr(0, 20)), nullptr);
}

TEST_F(ImageTest, NamedResourcesPreferTheDoubleScaleFile) {
  write("Logo@2x.png", Image::create(40, 20, 1)->pngData());
  write("Logo.png", Image::create(20, 10, 1)->pngData());
  write("Plain.png", Image::create(30, 30, 1)->pngData());
  write("Photo.jpg", sample()->jpegData(0.8));
  struct Case { const char* name; double w, h, scale; };
  const Case cases[] = {{"Logo.png", 20, 10, 2}, {"Logo", 20, 10, 2}, {"Plain", 30, 30, 1}, {"Photo", 4, 2, 1}};
  for (auto& c : cases) {
    auto image = Image::imageNamed(c.name);
    ASSERT_NE(image, nullptr) << c.name;
    EXPECT_EQ(image->size(), (Size{c.w, c.h})) << c.name;
    EXPECT_EQ(image->scale(), c.scale) << c.name;
    EXPECT_EQ(image->name(), c.name);
  }
  EXPECT_EQ(Image::imageNamed("Missing.png"), nullptr);
  EXPECT_EQ(Image::imageNamed("../Logo.png"), nullptr);
  EXPECT_EQ(Image::imageNamed("Logo"), Image::imageNamed("Logo"));  // cached
}

TEST_F(ImageTest, OrientationTurnsCropsAndResizes) {
  auto image = sample();
  auto left = image->withOrientation(ImageOrientation::Right);
  EXPECT_EQ(left->size(), (Size{2, 4}));
  auto upright = left->normalized();
  EXPECT_EQ(upright->pixelWidth(), 2);
  EXPECT_EQ(upright->pixelAt(0, 0).red255(), 255);  // red on top after a clockwise turn
  EXPECT_EQ(upright->pixelAt(0, 3).blue255(), 255);
  EXPECT_EQ(image->rotatedQuarterTurns(4)->pixels(), image->pixels());

  auto right = image->cropped({2, 0, 2, 2});
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(right->pixelAt(0, 0).blue255(), 255);
  EXPECT_EQ(image->cropped({10, 10, 2, 2}), nullptr);

  auto wide = image->resized({8, 2});
  EXPECT_EQ(wide->pixelWidth(), 8);
  EXPECT_EQ(wide->pixelAt(3, 0).red255(), 255);
  EXPECT_EQ(wide->pixelAt(4, 0).blue255(), 255);
}

TEST_F(ImageTest, StretchableCapsAndRenderedViewSize) {
  auto image = Image::create(21, 30, 1)->stretchableImage(10, 0);
  EXPECT_TRUE(image->isStretchable());
  EXPECT_EQ(image->capInsets(), (EdgeInsets{0, 10, 0, 10}));
  auto dot = Image::imageWithColor(Color::rgb255(255, 0, 0));
  EXPECT_EQ(dot->pixelWidth(), 1);
  EXPECT_EQ(dot->pixelAt(0, 0).red255(), 255);
  auto view = View::create({0, 0, 320, 51});
  auto shot = Image::renderView(*view);
  EXPECT_EQ(shot->size(), (Size{320, 51}));
  EXPECT_EQ(shot->pixelWidth(), 640);
  view->layer().contents = Image::create(1, 1);
  const_cast<Image&>(*view->layer().contents).setName("Index_Title_Logo");
  EXPECT_EQ(view->automationImage(), "Index_Title_Logo");
}

}  // namespace
}  // namespace platform::testing
