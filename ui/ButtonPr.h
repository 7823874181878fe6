#pragma once
// Button state colours (`UIButton(Pr)`): each call gives a button a plain block
// of one colour as its image (the per-state foreground image, not the
// background) for one control state, so that screens get pressed, normal and
// disabled looks without picture resources. The picture is drawn at the main
// screen's scale, not opaque, every pixel the colour; a later call for the same
// state replaces it. Colour components are fractions (value/255), handed on
// unchanged; the forms without an alpha use 0.1, a faint tint.
#include <memory>

#include "platform/ui/Geometry.h"

namespace platform {
class Button;
class Image;
}  // namespace platform

namespace vorn {

inline constexpr float kButtonTintAlpha = 0.1f;

// A picture of `size` points at the main screen's scale filled with one colour.
std::shared_ptr<platform::Image> solidColorPicture(platform::Size size, float red, float green, float blue,
                                                   float alpha);

void setBtnHighlighted(platform::Button& button, platform::Size size, float red, float green, float blue);
void setBtnHighlighted(platform::Button& button, platform::Size size, float red, float green, float blue,
                       float alpha);
// The picture takes the button's frame size at the time of the call; `alpha` comes first.
void setBtnHighlightedWithPercent(platform::Button& button, float alpha, float red, float green, float blue);
void setBtnDisabled(platform::Button& button, platform::Size size, float red, float green, float blue);
void setBtnDisabled(platform::Button& button, platform::Size size, float red, float green, float blue,
                    float alpha);
void setBtnNormal(platform::Button& button, platform::Size size, float red, float green, float blue, float alpha);
// The same as the highlighted form with an alpha; list screens call it by this name.
void SetNewListBtnTouchUpInside(platform::Button& button, platform::Size size, float red, float green, float blue,
                                float alpha);

}  // namespace vorn
