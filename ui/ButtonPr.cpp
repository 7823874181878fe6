#include "ui/ButtonPr.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/ui/Button.h"
#include "platform/ui/Control.h"
#include "platform/ui/Image.h"
#include "platform/ui/Screen.h"

namespace vorn {
namespace {

std::uint8_t channel(float fraction) {
  const float clamped = std::fmin(1.0f, std::fmax(0.0f, fraction));
  return static_cast<std::uint8_t>(std::lround(clamped * 255.0f));
}

void fill(platform::Button& button, unsigned state, platform::Size size, float red, float green, float blue,
          float alpha) {
  button.setImage(solidColorPicture(size, red, green, blue, alpha), state);
}

}  // namespace

std::shared_ptr<platform::Image> solidColorPicture(platform::Size size, float red, float green, float blue,
                                                   float alpha) {
  const double scale = platform::Screen::mainScreen().scale();
  const int width = static_cast<int>(std::ceil(std::fmax(0.0, size.width) * scale));
  const int height = static_cast<int>(std::ceil(std::fmax(0.0, size.height) * scale));
  const std::uint8_t pixel[4] = {channel(red), channel(green), channel(blue), channel(alpha)};
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (std::size_t i = 0; i < rgba.size(); i += 4)
    for (int c = 0; c < 4; ++c) rgba[i + c] = pixel[c];
  return platform::Image::create(width, height, scale, std::move(rgba));
}

void setBtnHighlighted(platform::Button& button, platform::Size size, float red, float green, float blue) {
  fill(button, platform::ControlState::Highlighted, size, red, green, blue, kButtonTintAlpha);
}

void setBtnHighlighted(platform::Button& button, platform::Size size, float red, float green, float blue,
                       float alpha) {
  fill(button, platform::ControlState::Highlighted, size, red, green, blue, alpha);
}

void setBtnHighlightedWithPercent(platform::Button& button, float alpha, float red, float green, float blue) {
  const platform::Rect frame = button.frame();
  fill(button, platform::ControlState::Highlighted, frame.size, red, green, blue, alpha);
}

void setBtnDisabled(platform::Button& button, platform::Size size, float red, float green, float blue) {
  fill(button, platform::ControlState::Disabled, size, red, green, blue, kButtonTintAlpha);
}

void setBtnDisabled(platform::Button& button, platform::Size size, float red, float green, float blue,
                    float alpha) {
  fill(button, platform::ControlState::Disabled, size, red, green, blue, alpha);
}

void setBtnNormal(platform::Button& button, platform::Size size, float red, float green, float blue, float alpha) {
  fill(button, platform::ControlState::Normal, size, red, green, blue, alpha);
}

void SetNewListBtnTouchUpInside(platform::Button& button, platform::Size size, float red, float green, float blue,
                                float alpha) {
  setBtnHighlighted(button, size, red, green, blue, alpha);
}

}  // namespace vorn
