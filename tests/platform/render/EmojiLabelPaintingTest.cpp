// An emoji label draws each pictured emoticon as its picture in the square the
// label's layout gives it, and no code text there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ui/EmojiLabel.h"
#include "RenderTestFixture.h"

namespace platform::render::testing {
namespace {

class EmojiLabelPaintingTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    savedDirectory_ = Image::resourceDirectory();
    auto folder = std::filesystem::path(::testing::TempDir()) / "emoji-pictures";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Expression_1@2x.png", std::ios::binary) << solidImage(40, 40, 0x00C000)->pngData();
    Image::setResourceDirectory(folder.string());
    Image::clearCache();
    EmojiLabel::setEmoticonPictures({{"[强]", "Expression_1"}});
  }
  void TearDown() override {
    EmojiLabel::setEmoticonPictures({});
    Image::setResourceDirectory(savedDirectory_);
    Image::clearCache();
    RenderTest::TearDown();
  }

 private:
  std::string savedDirectory_;
};

TEST_F(EmojiLabelPaintingTest, ThePictureIsDrawnInItsLaidOutSquareInsteadOfItsCode) {
  auto w = whiteWindow();
  auto label = EmojiLabel::create({20, 100, 280, 40});
  label->setFont(Font::systemFont(20));
  label->setTextColor(Color::rgba(0, 0, 0));
  label->setText("好[强]好[衰]");  // "[衰]" has no picture: drawn as text
  w->addSubview(label);
  Bitmap b = renderScreen(noStatusBar());

  LinkLabelFragment picture;
  for (const auto& f : label->fragmentsInBounds(label->bounds()))
    if (!f.pictureName.empty()) picture = f;
  ASSERT_EQ(picture.pictureName, "Expression_1");
  Rect square = label->convertRectToView(picture.frame, nullptr);
  EXPECT_EQ(square.x(), 40);
  EXPECT_EQ(square.width(), 20);
  // The picture fills its square and nothing else is drawn in it.
  const double inner = square.width() - 2;
  Rect core(square.x() + 1, square.y() + 1, inner, inner);
  EXPECT_EQ(countNear(b, core, 0x00C000, 30), static_cast<int>(inner * inner * 4));
  auto green = inkBox(b, {0, 90, 320, 60}, 0xFFFFFF, 40);
  ASSERT_TRUE(green.has_value());
  EXPECT_EQ(countNear(b, {0, 90, square.x() - 1, 60}, 0x00C000, 30), 0);
  EXPECT_EQ(countNear(b, {square.maxX() + 1, 90, 320 - square.maxX() - 1, 60}, 0x00C000, 30), 0);
  // The code without a picture is drawn as text after the second "好".
  auto codeInk = inkBox(b, {square.maxX() + 20, 100, 100, 40});
  ASSERT_TRUE(codeInk.has_value());
  EXPECT_GT(codeInk->width(), 20);
}

}  // namespace
}  // namespace platform::render::testing
