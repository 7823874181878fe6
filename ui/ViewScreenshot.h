#pragma once
// View geometry and screenshots (`UIView(screenshot)`): the edges and the size
// of a view's frame (in its superview's coordinates), each write setting a
// whole new frame once; and pictures of a view drawn at the main screen's scale.
#include <memory>

namespace platform {
class Image;
class View;
}  // namespace platform

namespace vorn {

float top(const platform::View& view);
float bottom(const platform::View& view);
float left(const platform::View& view);
float right(const platform::View& view);
float width(const platform::View& view);
float height(const platform::View& view);
// Origin moves, size stays.
void setTop(platform::View& view, float top);
void setBottom(platform::View& view, float bottom);
void setLeft(platform::View& view, float left);
void setRight(platform::View& view, float right);
// Size changes, origin stays.
void setWidth(platform::View& view, float width);
void setHeight(platform::View& view, float height);

// The view drawn into a picture of its frame size.
std::shared_ptr<platform::Image> screenshot(const platform::View& view);
std::shared_ptr<platform::Image> screenshotWithOffset(const platform::View& view, float offset);
// A picture of the frame's width and of its height + 2 x extraY, in which the
// view is drawn moved down by offset + extraY points (up when negative); the
// rest stays transparent.
std::shared_ptr<platform::Image> screenshotWithOffset(const platform::View& view, float offset, float extraY);

}  // namespace vorn
