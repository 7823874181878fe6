#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ViewTestFixture.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "ui/ButtonPr.h"

namespace vorn::test {
namespace {

using platform::Button;
using platform::ControlState::Disabled;
using platform::ControlState::Highlighted;
using platform::ControlState::Normal;

class ButtonStateColoursTest : public ViewTest {};

// Every pixel of the picture has this colour (0-255, alpha 0-255).
void expectFilled(const platform::Image& image, int r, int g, int b, int a) {
  ASSERT_GT(image.pixelWidth(), 0);
  for (int y : {0, image.pixelHeight() / 2, image.pixelHeight() - 1})
    for (int x : {0, image.pixelWidth() / 2, image.pixelWidth() - 1}) {
      const platform::Color c = image.pixelAt(x, y);
      EXPECT_EQ(c.red255(), r);
      EXPECT_EQ(c.green255(), g);
      EXPECT_EQ(c.blue255(), b);
      EXPECT_EQ(c.alpha255(), a);
    }
}

TEST_F(ButtonStateColoursTest, EachOperationFillsItsStateWithItsAlpha) {
  const platform::Size size{60, 30};
  struct Case {
    std::string name;
    std::function<void(Button&)> call;
    unsigned state;
    int alpha255;
  } cases[] = {
      {"highlighted", [&](Button& b) { setBtnHighlighted(b, size, 1, 0, 0); }, Highlighted, 26},
      {"highlighted+alpha", [&](Button& b) { setBtnHighlighted(b, size, 1, 0, 0, 0.5f); }, Highlighted, 128},
      {"disabled", [&](Button& b) { setBtnDisabled(b, size, 1, 0, 0); }, Disabled, 26},
      {"disabled+alpha", [&](Button& b) { setBtnDisabled(b, size, 1, 0, 0, 1.0f); }, Disabled, 255},
      {"normal", [&](Button& b) { setBtnNormal(b, size, 1, 0, 0, 0.8f); }, Normal, 204},
      {"list touch", [&](Button& b) { SetNewListBtnTouchUpInside(b, size, 1, 0, 0, 0.3f); }, Highlighted, 77},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto button = Button::buttonWithType(platform::ButtonType::Custom);
    c.call(*button);
    for (unsigned state : {Normal, Highlighted, Disabled}) {
      const bool filled = state == c.state;
      ASSERT_EQ(button->imageForState(state) != nullptr && (state == Normal || button->imageForState(state) !=
                                                                                    button->imageForState(Normal)),
                filled)
          << state;
    }
    auto image = button->imageForState(c.state);
    EXPECT_EQ(image->size(), size);
    EXPECT_EQ(image->scale(), 2);
    expectFilled(*image, 255, 0, 0, c.alpha255);
    EXPECT_FALSE(button->backgroundImageForState(c.state));  // the foreground image, not the background
  }
}

TEST_F(ButtonStateColoursTest, PercentFormTakesTheFrameSizeOnceAndTheAlphaFirst) {
  auto button = Button::create({10, 10, 100, 40});
  setBtnHighlightedWithPercent(*button, 0.5f, 53 / 255.f, 160 / 255.f, 217 / 255.f);
  button->setFrame({10, 10, 200, 80});  // a later resize leaves the picture
  auto image = button->imageForState(Highlighted);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->size(), (platform::Size{100, 40}));
  expectFilled(*image, 53, 160, 217, 128);
}

TEST_F(ButtonStateColoursTest, ALaterCallReplacesItsStateOnly) {
  auto button = Button::create({0, 0, 50, 50});
  setBtnNormal(*button, {50, 50}, 0, 0, 1, 1);
  setBtnHighlighted(*button, {50, 50}, 1, 0, 0, 1);
  setBtnHighlighted(*button, {50, 50}, 0, 1, 0, 1);
  expectFilled(*button->imageForState(Highlighted), 0, 255, 0, 255);
  expectFilled(*button->imageForState(Normal), 0, 0, 255, 255);
}

}  // namespace
}  // namespace vorn::test
