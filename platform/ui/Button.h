#pragma once
// A push button: per-state title, title colour, title shadow colour, image and
// background image (a state without its own value shows the normal one),
// content, title and image edge insets, and title and image rectangles that
// subclasses may override. Custom buttons start with a white title; system
// buttons with the platform's blue title that dims while highlighted.
#include <map>
#include <memory>
#include <string>

#include "platform/ui/Control.h"
#include "platform/ui/Font.h"

namespace platform {

class Image;
class Label;
class ImageView;

enum class ButtonType { Custom = 0, System = 1, DetailDisclosure = 2, InfoLight = 3, InfoDark = 4, ContactAdd = 5 };
inline constexpr ButtonType kButtonTypeRoundedRect = ButtonType::System;

class Button : public Control {
 public:
  explicit Button(const Rect& frame = {}, ButtonType type = ButtonType::Custom);
  static std::shared_ptr<Button> buttonWithType(ButtonType type);
  static std::shared_ptr<Button> create(const Rect& frame = {}) { return std::make_shared<Button>(frame); }
  std::string className() const override { return "Button"; }
  ButtonType buttonType() const { return type_; }

  // The system button's title colour.
  static Color systemTintColor() { return Color::rgb255(0, 122, 255); }

  // Per-state values; `state` is a ControlState combination.
  void setTitle(const std::string& title, unsigned state);
  void setTitleColor(const Color& color, unsigned state);
  void setTitleShadowColor(const Color& color, unsigned state);
  void setImage(std::shared_ptr<const Image> image, unsigned state);
  void setBackgroundImage(std::shared_ptr<const Image> image, unsigned state);
  std::string titleForState(unsigned state) const;
  Color titleColorForState(unsigned state) const;
  Color titleShadowColorForState(unsigned state) const;
  std::shared_ptr<const Image> imageForState(unsigned state) const;
  std::shared_ptr<const Image> backgroundImageForState(unsigned state) const;
  // The values of the current state.
  std::string currentTitle() const { return titleForState(state()); }
  Color currentTitleColor() const { return titleColorForState(state()); }
  std::shared_ptr<const Image> currentImage() const { return imageForState(state()); }
  std::shared_ptr<const Image> currentBackgroundImage() const { return backgroundImageForState(state()); }

  // The title's label (font, line break mode, alignment) and the image's view.
  std::shared_ptr<Label> titleLabel() const { return titleLabel_; }
  std::shared_ptr<ImageView> imageView() const { return imageView_; }
  // A background picture view, present while a background image is shown.
  std::shared_ptr<ImageView> backgroundImageView() const { return backgroundView_; }

  EdgeInsets contentEdgeInsets() const { return contentEdgeInsets_; }
  void setContentEdgeInsets(const EdgeInsets& insets) { contentEdgeInsets_ = insets; setNeedsLayout(); }
  EdgeInsets titleEdgeInsets() const { return titleEdgeInsets_; }
  void setTitleEdgeInsets(const EdgeInsets& insets) { titleEdgeInsets_ = insets; setNeedsLayout(); }
  EdgeInsets imageEdgeInsets() const { return imageEdgeInsets_; }
  void setImageEdgeInsets(const EdgeInsets& insets) { imageEdgeInsets_ = insets; setNeedsLayout(); }
  bool adjustsImageWhenHighlighted() const { return adjustsImageWhenHighlighted_; }
  void setAdjustsImageWhenHighlighted(bool on) { adjustsImageWhenHighlighted_ = on; }
  bool adjustsImageWhenDisabled() const { return adjustsImageWhenDisabled_; }
  void setAdjustsImageWhenDisabled(bool on) { adjustsImageWhenDisabled_ = on; }
  bool showsTouchWhenHighlighted() const { return showsTouchWhenHighlighted_; }
  void setShowsTouchWhenHighlighted(bool on) { showsTouchWhenHighlighted_ = on; }
  bool reversesTitleShadowWhenHighlighted() const { return reversesTitleShadow_; }
  void setReversesTitleShadowWhenHighlighted(bool on) { reversesTitleShadow_ = on; }

  // Geometry: subclasses may override where title and image go.
  virtual Rect backgroundRectForBounds(const Rect& bounds) const;
  virtual Rect contentRectForBounds(const Rect& bounds) const;
  virtual Rect titleRectForContentRect(const Rect& contentRect) const;
  virtual Rect imageRectForContentRect(const Rect& contentRect) const;

  void layoutSubviews() override;
  Size sizeThatFits(Size size) const override;
  std::string automationText() const override { return currentTitle(); }
  std::string automationImage() const override;

 protected:
  void stateDidChange() override;

 private:
  void refresh();
  // The title's and the image's sizes as laid out side by side.
  Size titleSize() const;
  Size imageSize() const;

  ButtonType type_ = ButtonType::Custom;
  std::map<unsigned, std::string> titles_;
  std::map<unsigned, Color> titleColors_;
  std::map<unsigned, Color> shadowColors_;
  std::map<unsigned, std::shared_ptr<const Image>> images_;
  std::map<unsigned, std::shared_ptr<const Image>> backgrounds_;
  std::shared_ptr<Label> titleLabel_;
  std::shared_ptr<ImageView> imageView_;
  std::shared_ptr<ImageView> backgroundView_;
  EdgeInsets contentEdgeInsets_;
  EdgeInsets titleEdgeInsets_;
  EdgeInsets imageEdgeInsets_;
  bool adjustsImageWhenHighlighted_ = true;
  bool adjustsImageWhenDisabled_ = true;
  bool showsTouchWhenHighlighted_ = false;
  bool reversesTitleShadow_ = false;
  bool subviewsAdded_ = false;
};

}  // namespace platform
