#include <gtest/gtest.h>

#include "platform/ui/Device.h"
#include "platform/ui/PatternTextField.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform {
namespace {

class PatternTextFieldTest : public testing::UiTest {
 protected:
  void TearDown() override {
    PatternTextField::setNightModeProvider({});
    UiTest::TearDown();
  }
};

TEST_F(PatternTextFieldTest, EditsAreTakenOnlyWhileTheTextCanStillMatch) {
  struct Step {
    std::size_t location, length;
    const char* replacement;
    bool accepted;
    const char* textAfter;
  };
  auto field = PatternTextField::create(Rect(0, 0, 200, 30));
  field->setPattern("^\\d{11}$");
  const Step steps[] = {
      {0, 0, "138", true, "138"},
      {3, 0, "a", false, "138"},
      {3, 0, "00138000", true, "13800138000"},
      {11, 0, "1", false, "13800138000"},  // a twelfth digit can never match
      {5, 0, "9", false, "13800138000"},
      {10, 1, "", true, "1380013800"},
      {0, 10, "", true, ""},
      {0, 0, "１３８", false, ""},  // pasted full-width digits are refused only if ICU says so
      {99, 0, "1", false, ""},  // outside the text
  };
  for (const auto& s : steps) {
    std::string before = field->text();
    bool accepted = field->shouldChangeCharactersInRange(s.location, s.length, s.replacement);
    if (std::string(s.replacement) == "１３８") {
      // ICU's \d takes any decimal digit; either way the field stays consistent.
      EXPECT_EQ(field->text(), accepted ? std::string("１３８") : before);
      field->setText("");
      continue;
    }
    EXPECT_EQ(accepted, s.accepted) << s.replacement;
    EXPECT_EQ(field->text(), s.textAfter) << s.replacement;
  }
}

TEST_F(PatternTextFieldTest, VerificationCodeTakesSixDigits) {
  auto field = PatternTextField::create();
  field->setPattern("^\\d{6}$");
  EXPECT_TRUE(field->shouldChangeCharactersInRange(0, 0, "123456"));
  EXPECT_FALSE(field->shouldChangeCharactersInRange(6, 0, "7"));
  EXPECT_EQ(field->text(), "123456");
}

TEST_F(PatternTextFieldTest, PlaceholderFollowsKindSystemVersionAndTheme) {
  auto field = PatternTextField::create(Rect(0, 0, 200, 30));
  EXPECT_FALSE(field->placeholderDrawing());
  field->setPlaceholder("手机号");
  bool night = false;
  PatternTextField::setNightModeProvider([&] { return night; });

  Device::currentDevice().setSystemVersion("8.4");
  auto d = field->placeholderDrawing();
  ASSERT_TRUE(d);
  EXPECT_DOUBLE_EQ(d->rect.y(), 4.5);
  EXPECT_DOUBLE_EQ(d->font.pointSize, 15);
  EXPECT_TRUE(d->color.sameAs(Color::rgb255(169, 169, 169)));
  Device::currentDevice().setSystemVersion("6.1");
  EXPECT_DOUBLE_EQ(field->placeholderDrawing()->rect.y(), 0.5);

  field->setCurrentTpye(2);
  EXPECT_DOUBLE_EQ(field->placeholderDrawing()->rect.y(), 1);
  EXPECT_DOUBLE_EQ(field->placeholderDrawing()->font.pointSize, 14);

  field->setCurrentTpye(3);
  EXPECT_TRUE(field->placeholderDrawing()->color.sameAs(Color::rgb255(136, 136, 136)));
  night = true;
  EXPECT_TRUE(field->placeholderDrawing()->color.sameAs(Color::rgb255(165, 175, 187)));
  field->setCurrentTpye(0);
  EXPECT_TRUE(field->placeholderDrawing()->color.sameAs(Color::rgb255(110, 119, 130)));
  EXPECT_DOUBLE_EQ(field->placeholderDrawing()->rect.width(), 175);
  EXPECT_DOUBLE_EQ(field->placeholderDrawing()->rect.height(), 26);
}

}  // namespace
}  // namespace platform
