#pragma once
// A menu that slides down under a top bar, the content behind it dimmed to
// black at opacity 0.3 while it is open. Each item has a title, a subtitle,
// pictures, a tag and an action that receives the item; tapping an item closes
// the menu and then runs the item's action.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/View.h"

namespace platform {

class Image;

class DropDownMenuItem {
 public:
  using Action = std::function<void(DropDownMenuItem& item)>;
  static std::shared_ptr<DropDownMenuItem> initWithTitle(const std::string& title, const std::string& subtitle,
                                                         std::shared_ptr<const Image> image,
                                                         std::shared_ptr<const Image> highlightedImage,
                                                         Action action);
  const std::string& title() const { return title_; }
  void setTitle(const std::string& title) { title_ = title; }
  const std::string& subtitle() const { return subtitle_; }
  const std::shared_ptr<const Image>& image() const { return image_; }
  const std::shared_ptr<const Image>& highlightedImage() const { return highlightedImage_; }
  std::int64_t tag() const { return tag_; }
  void setTag(std::int64_t tag) { tag_ = tag; }
  void perform() { if (action_) action_(*this); }

 private:
  std::string title_;
  std::string subtitle_;
  std::shared_ptr<const Image> image_;
  std::shared_ptr<const Image> highlightedImage_;
  Action action_;
  std::int64_t tag_ = 0;
};

class DropDownMenu : public View {
 public:
  explicit DropDownMenu(std::vector<std::shared_ptr<DropDownMenuItem>> items);
  static std::shared_ptr<DropDownMenu> initWithItems(std::vector<std::shared_ptr<DropDownMenuItem>> items) {
    return std::make_shared<DropDownMenu>(std::move(items));
  }
  std::string className() const override { return "DropDownMenu"; }

  const std::vector<std::shared_ptr<DropDownMenuItem>>& items() const { return items_; }
  double cornerRadius() const { return layer().cornerRadius; }
  void setCornerRadius(double radius) { layer().cornerRadius = radius; }
  void setShadowColor(const Color& color) { layer().shadowColor = color; }
  void setShadowOffset(Size offset) { layer().shadowOffset = offset; }
  void setShadowOpacity(double opacity) { layer().shadowOpacity = opacity; }
  Point imageOffset() const { return imageOffset_; }
  void setImageOffset(Point offset) { imageOffset_ = offset; setNeedsLayout(); }
  void setTitleFont(const Font& font) { titleFont_ = font; setNeedsLayout(); }
  void setTitleColor(const Color& color) { titleColor_ = color; setNeedsLayout(); }
  void setSubtitleColor(const Color& color) { subtitleColor_ = color; setNeedsLayout(); }
  const Font& titleFont() const { return titleFont_; }
  const Color& titleColor() const { return titleColor_; }
  const Color& subtitleColor() const { return subtitleColor_; }

  // Opens the menu in `host` under its top bar, whose bottom edge is at
  // `topBarBottom` in host coordinates; `completion` runs once it has opened.
  void showInView(const std::shared_ptr<View>& host, double topBarBottom, std::function<void()> completion = {});
  // Closes the menu; `completion` runs once it has closed (at once when it is not open).
  void close(std::function<void()> completion = {});
  bool isOpen() const { return open_; }

  // The dimming view behind the menu while it is in a host.
  const std::shared_ptr<View>& dimmingView() const { return dim_; }
  // Taps the item at `index` as a finger would.
  void selectItemAtIndex(std::size_t index);

  void layoutSubviews() override;

  static constexpr double kRowHeight = 57;
  static constexpr double kDimmedAlpha = 0.3;
  static constexpr double kOpenDuration = 0.25;

 private:
  void buildRows();
  std::vector<std::shared_ptr<DropDownMenuItem>> items_;
  std::vector<std::shared_ptr<View>> rows_;
  Point imageOffset_;
  Font titleFont_ = Font::boldSystemFont(16);
  Color titleColor_ = Color::black();
  Color subtitleColor_ = Color::gray();
  std::shared_ptr<View> dim_;
  bool open_ = false;
  bool moving_ = false;
  std::uint64_t generation_ = 0;
};

}  // namespace platform
