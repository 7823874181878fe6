#include "platform/ui/DropDownMenu.h"

#include "platform/ui/NoticeParts.h"
#include "platform/ui/Touch.h"

namespace platform {

namespace {

constexpr double kTextLeft = 70;

// One row of the menu: the item's title and subtitle; a tap that ends inside
// the row selects it.
class DropDownMenuRow : public View {
 public:
  DropDownMenuRow(std::string title, std::function<void()> onTap) : title_(std::move(title)), onTap_(std::move(onTap)) {
    setBackgroundColor(Color::clear());
  }
  std::string className() const override { return "DropDownMenuRow"; }
  std::string automationText() const override { return title_; }
  void touchesBegan(const TouchSet&, const Event&) override { pressed_ = true; }
  void touchesCancelled(const TouchSet&, const Event&) override { pressed_ = false; }
  void touchesEnded(const TouchSet& touches, const Event&) override {
    bool inside = !touches.empty() && bounds().contains(touches.front()->locationInView(this));
    bool tapped = pressed_ && inside;
    pressed_ = false;
    if (tapped && onTap_) {
      auto keep = shared_from_this();
      onTap_();
    }
  }

 private:
  std::string title_;
  std::function<void()> onTap_;
  bool pressed_ = false;
};

}  // namespace

std::shared_ptr<DropDownMenuItem> DropDownMenuItem::initWithTitle(const std::string& title,
                                                                  const std::string& subtitle,
                                                                  std::shared_ptr<const Image> image,
                                                                  std::shared_ptr<const Image> highlightedImage,
                                                                  Action action) {
  auto item = std::make_shared<DropDownMenuItem>();
  item->title_ = title;
  item->subtitle_ = subtitle;
  item->image_ = std::move(image);
  item->highlightedImage_ = std::move(highlightedImage);
  item->action_ = std::move(action);
  return item;
}

DropDownMenu::DropDownMenu(std::vector<std::shared_ptr<DropDownMenuItem>> items) : items_(std::move(items)) {
  setBackgroundColor(Color::white());
  setClipsToBounds(true);
}

void DropDownMenu::buildRows() {
  for (const auto& row : rows_) row->removeFromSuperview();
  rows_.clear();
  std::weak_ptr<DropDownMenu> weak = weakSelf(this);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    auto row = std::make_shared<DropDownMenuRow>(items_[i]->title(), [weak, i] {
      if (auto self = weak.lock()) self->selectItemAtIndex(i);
    });
    auto title = std::make_shared<NoticeTextView>(items_[i]->title());
    title->setTag(1);
    row->addSubview(title);
    auto subtitle = std::make_shared<NoticeTextView>(items_[i]->subtitle());
    subtitle->setTag(2);
    row->addSubview(subtitle);
    addSubview(row);
    rows_.push_back(row);
  }
  setNeedsLayout();
}

void DropDownMenu::layoutSubviews() {
  View::layoutSubviews();
  double width = bounds().width();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    auto& row = rows_[i];
    row->setFrame(Rect(0, static_cast<double>(i) * kRowHeight, width, kRowHeight));
    double textWidth = width - kTextLeft - 10;
    if (auto title = row->viewWithTag(1)) {
      title->setFrame(Rect(kTextLeft + imageOffset_.x, 8, textWidth, 22));
    }
    if (auto subtitle = row->viewWithTag(2)) {
      subtitle->setFrame(Rect(kTextLeft + imageOffset_.x, 32, textWidth, 17));
    }
  }
}

void DropDownMenu::showInView(const std::shared_ptr<View>& host, double topBarBottom,
                              std::function<void()> completion) {
  if (!host || open_ || moving_) return;
  buildRows();
  Rect area = host->bounds();
  double height = static_cast<double>(items_.size()) * kRowHeight;
  dim_ = View::create(Rect(0, topBarBottom, area.width(), area.height() - topBarBottom));
  dim_->setBackgroundColor(Color::black());
  dim_->setAlpha(0);
  host->addSubview(dim_);
  Rect shown(0, topBarBottom, area.width(), height);
  setFrame(shown.offsetBy(0, -height));
  host->addSubview(shared_from_this());
  moving_ = true;
  std::uint64_t generation = ++generation_;
  auto self = weakSelf(this).lock();
  auto dim = dim_;
  View::animate(kOpenDuration, [self, dim, shown] {
    dim->setAlpha(kDimmedAlpha);
    self->setFrame(shown);
  }, [self, generation, completion = std::move(completion)](bool) {
    if (self->generation_ != generation) return;
    self->moving_ = false;
    self->open_ = true;
    if (completion) completion();
  });
}

void DropDownMenu::close(std::function<void()> completion) {
  if (!open_ || moving_) {
    if (completion) completion();
    return;
  }
  open_ = false;
  moving_ = true;
  std::uint64_t generation = ++generation_;
  auto self = weakSelf(this).lock();
  auto dim = dim_;
  Rect away = frame().offsetBy(0, -frame().height());
  View::animate(kOpenDuration, [self, dim, away] {
    if (dim) dim->setAlpha(0);
    self->setFrame(away);
  }, [self, dim, generation, completion = std::move(completion)](bool) {
    if (self->generation_ != generation) return;
    self->moving_ = false;
    self->removeFromSuperview();
    if (dim) dim->removeFromSuperview();
    if (self->dim_ == dim) self->dim_.reset();
    if (completion) completion();
  });
}

void DropDownMenu::selectItemAtIndex(std::size_t index) {
  if (!open_ || index >= items_.size()) return;
  auto item = items_[index];
  close([item] { item->perform(); });
}

}  // namespace platform
