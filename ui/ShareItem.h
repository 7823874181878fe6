#pragma once
// One icon tile of the share sheet: a 60-point picture with its title under it.
// Screens that lay tiles out themselves use it on its own as a tappable tile.
#include <memory>
#include <string>

#include "platform/ui/View.h"

namespace platform {
class ImageView;
class Label;
}  // namespace platform

namespace vorn {

class ShareItem;

class ShareItemDelegate {
 public:
  virtual ~ShareItemDelegate() = default;
  virtual void touchItem(ShareItem& item) { (void)item; }
};

class ShareItem : public platform::View {
 public:
  static constexpr double kWidth = 60;
  static constexpr double kHeight = 120;

  // A 60 by 120 tile with the title and the named resource picture.
  static std::shared_ptr<ShareItem> initWithTitle(const std::string& title, const std::string& imageName);
  std::string className() const override { return "ShareItem"; }

  std::shared_ptr<ShareItemDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<ShareItemDelegate> delegate) { delegate_ = std::move(delegate); }
  const std::shared_ptr<platform::ImageView>& iconImageView() const { return iconImageView_; }
  const std::shared_ptr<platform::Label>& titleLabel() const { return titleLabel_; }

  // A touch that began on the tile reports the tile when it ends, wherever it ends.
  void touchesEnded(const platform::TouchSet& touches, const platform::Event& event) override;

  ShareItem();

 private:
  std::weak_ptr<ShareItemDelegate> delegate_;
  std::shared_ptr<platform::ImageView> iconImageView_;
  std::shared_ptr<platform::Label> titleLabel_;
};

}  // namespace vorn
