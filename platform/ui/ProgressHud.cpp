#include "platform/ui/ProgressHud.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/NoticeParts.h"
#include "platform/ui/TextMetrics.h"
#include "platform/ui/SystemNotice.h"
#include "platform/ui/Window.h"

namespace platform {

namespace {

constexpr double kPadding = 4;  // between the indicator and the labels

std::function<ProgressHudLook()>& lookProvider() {
  static std::function<ProgressHudLook()> provider;
  return provider;
}

// The large white spinner, turning while it is up.
std::shared_ptr<View> makeSpinner() {
  auto spinner = ActivityIndicatorView::initWithActivityIndicatorStyle(ActivityIndicatorViewStyle::WhiteLarge);
  spinner->startAnimating();
  return spinner;
}

}  // namespace

ProgressHud::ProgressHud(ConstructionKey<ProgressHud>, const Rect& frame) : View(frame) {
  setBackgroundColor(Color::clear());
  setOpaque(false);
  setAlpha(0);
  setAutoresizingMask(Autoresizing::FlexibleWidth | Autoresizing::FlexibleHeight);
}

std::shared_ptr<ProgressHud> ProgressHud::initWithView(const std::shared_ptr<View>& view) {
  auto hud = std::make_shared<ProgressHud>(ConstructionKey<ProgressHud>{}, view ? view->bounds() : Rect());
  hud->buildInsides();
  return hud;
}

void ProgressHud::buildInsides() {
  box_ = View::create();
  box_->setUserInteractionEnabled(false);
  addSubview(box_);
  label_ = std::make_shared<NoticeTextView>();
  addSubview(label_);
  details_ = std::make_shared<NoticeTextView>();
  addSubview(details_);
  updateIndicator();
}

std::shared_ptr<ProgressHud> ProgressHud::initWithWindow(const std::shared_ptr<Window>& window) {
  return initWithView(window);
}

std::shared_ptr<ProgressHud> ProgressHud::showHUDAddedTo(const std::shared_ptr<View>& view, bool animated) {
  auto hud = initWithView(view);
  if (view) view->addSubview(hud);
  hud->show(animated);
  return hud;
}

void ProgressHud::setMode(ProgressHudMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  updateIndicator();
  setNeedsLayout();
}

void ProgressHud::setLabelText(const std::string& text) {
  if (text == labelText_) return;
  labelText_ = text;
  setNeedsLayout();
  if (showing_) report();
}

void ProgressHud::setDetailsLabelText(const std::string& text) {
  if (text == detailsText_) return;
  detailsText_ = text;
  setNeedsLayout();
  if (showing_) report();
}

void ProgressHud::setCustomView(std::shared_ptr<View> view) {
  customView_ = std::move(view);
  updateIndicator();
  setNeedsLayout();
}

ProgressHudLook ProgressHud::currentLook() const {
  if (hasLook_) return look_;
  if (auto provider = lookProvider()) return provider();
  return ProgressHudLook{};
}

void ProgressHud::setLookProvider(std::function<ProgressHudLook()> provider) { lookProvider() = std::move(provider); }

void ProgressHud::updateIndicator() {
  std::shared_ptr<View> wanted;
  if (mode_ == ProgressHudMode::Indeterminate) {
    wanted = std::dynamic_pointer_cast<ActivityIndicatorView>(indicator_) ? indicator_ : makeSpinner();
  } else if (mode_ == ProgressHudMode::CustomView) {
    wanted = customView_;
  }
  if (wanted == indicator_) return;
  if (indicator_) indicator_->removeFromSuperview();
  indicator_ = wanted;
  if (indicator_) addSubview(indicator_);
}

void ProgressHud::layoutSubviews() {
  View::layoutSubviews();
  ProgressHudLook look = currentLook();
  displayed_ = look;
  Rect area = bounds();
  double maxWidth = std::fmax(0, area.width() - 4 * look.margin);

  Size indicatorSize = indicator_ ? indicator_->bounds().size : Size{};
  label_->setText(labelText_);
  Size labelSize = labelText_.empty() ? Size{} : TextMetrics::sizeOfText(labelText_, look.labelFont);
  labelSize.width = std::fmin(labelSize.width, maxWidth);
  details_->setText(detailsText_);
  Size detailsSize = detailsText_.empty() ? Size{}
                                          : TextMetrics::layoutText(detailsText_, look.detailsLabelFont, maxWidth,
                                                                    LineBreakMode::WordWrap).size;
  detailsSize.width = std::fmin(detailsSize.width, maxWidth);

  double width = std::fmax(indicatorSize.width, std::fmax(labelSize.width, detailsSize.width)) + 2 * look.margin;
  double height = indicatorSize.height + labelSize.height + detailsSize.height + 2 * look.margin;
  if (labelSize.height > 0 && indicatorSize.height > 0) height += kPadding;
  if (detailsSize.height > 0 && (labelSize.height > 0 || indicatorSize.height > 0)) height += kPadding;
  width = std::fmin(width, area.width());

  double centerX = std::round(area.width() / 2 + xOffset_);
  double centerY = std::round(area.height() / 2 + yOffset_);
  Rect boxFrame(std::round(centerX - width / 2), std::round(centerY - height / 2), width, height);
  box_->setFrame(boxFrame);
  box_->setBackgroundColor(look.boxColor.withAlpha(look.boxColor.alpha * opacity_));
  box_->layer().cornerRadius = look.cornerRadius;

  double y = boxFrame.y() + look.margin;
  if (indicator_) {
    indicator_->setFrame(Rect(std::round(centerX - indicatorSize.width / 2), y, indicatorSize.width,
                              indicatorSize.height));
    y += indicatorSize.height + (labelSize.height > 0 || detailsSize.height > 0 ? kPadding : 0);
  }
  label_->setHidden(labelText_.empty());
  label_->setFrame(Rect(std::round(centerX - labelSize.width / 2), y, labelSize.width, labelSize.height));
  y += labelSize.height + (labelSize.height > 0 && detailsSize.height > 0 ? kPadding : 0);
  details_->setHidden(detailsText_.empty());
  details_->setFrame(Rect(std::round(centerX - detailsSize.width / 2), y, detailsSize.width, detailsSize.height));
}

void ProgressHud::show(bool animated) {
  cancelTimers();
  ++generation_;
  bool wasShowing = showing_;
  showing_ = true;
  shownAt_ = currentTime();
  setHidden(false);
  layoutIfNeeded();
  if (animated) {
    auto self = weakSelf(this).lock();
    View::animate(kFadeDuration, [self] { self->setAlpha(1); });
  } else {
    setAlpha(1);
  }
  if (!wasShowing) report();
}

void ProgressHud::hide(bool animated) {
  if (!showing_) return;
  cancelTimers();
  double remaining = minShowTime_ - (currentTime() - shownAt_);
  if (minShowTime_ > 0 && remaining > 0) {
    std::weak_ptr<ProgressHud> weak = weakSelf(this);
    minShowTimer_ = dispatchAfter(remaining, [weak, animated] {
      if (auto self = weak.lock()) {
        self->minShowTimer_ = 0;
        self->hideNow(animated);
      }
    });
    return;
  }
  hideNow(animated);
}

void ProgressHud::hide(bool animated, double delay) {
  if (!showing_) return;
  cancelTimers();
  std::weak_ptr<ProgressHud> weak = weakSelf(this);
  delayTimer_ = dispatchAfter(std::fmax(0, delay), [weak, animated] {
    if (auto self = weak.lock()) {
      self->delayTimer_ = 0;
      self->hide(animated);
    }
  });
}

void ProgressHud::hideNow(bool animated) {
  if (!showing_) return;
  showing_ = false;
  auto self = weakSelf(this).lock();
  std::uint64_t generation = generation_;
  if (animated) {
    View::animate(kFadeDuration, [self] { self->setAlpha(0.02); }, [self, generation](bool) {
      if (self->generation_ == generation && !self->showing_) self->done();
    });
  } else {
    done();
  }
}

void ProgressHud::done() {
  auto keep = shared_from_this();
  setAlpha(0);
  setHidden(true);
  if (removeOnHide_) removeFromSuperview();
  if (auto d = delegate()) d->hudWasHidden(*this);
  if (completion_) {
    auto completion = completion_;
    completion();
  }
}

void ProgressHud::cancelTimers() {
  if (delayTimer_) cancelDispatch(delayTimer_);
  if (minShowTimer_) cancelDispatch(minShowTimer_);
  delayTimer_ = minShowTimer_ = 0;
}

void ProgressHud::report() {
  SystemNotice notice;
  notice.kind = kNoticeKindHud;
  notice.title = labelText_;
  notice.message = detailsText_;
  notice.tag = tag();
  reportSystemNotice(notice);
}

}  // namespace platform
