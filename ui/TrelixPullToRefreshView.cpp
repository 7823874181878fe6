#include "ui/TrelixPullToRefreshView.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "core/AppDelegate.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Animation.h"

namespace vorn {

using platform::Point;
using platform::Rect;

namespace {

constexpr double kGridPitch = TrelixPullToRefreshView::kParticleSize + 1;
// The grid's centre lies this far above the header's bottom edge.
constexpr double kGridCentreFromBottom = 50;
// The ring of border cells, clockwise from the top left.
constexpr int kRing[] = {0, 1, 2, 5, 8, 7, 6, 3};

bool isDay() { return AppDelegate::getCurrentMode() == kThemeModeNormal; }

// The non-owning link from a scroll view to its header.
struct Association {
  std::weak_ptr<platform::ScrollView> scrollView;
  std::weak_ptr<TrelixPullToRefreshView> header;
};
std::map<const platform::ScrollView*, Association>& associations() {
  static std::map<const platform::ScrollView*, Association> table;
  return table;
}

void associate(const std::shared_ptr<platform::ScrollView>& scrollView,
               const std::shared_ptr<TrelixPullToRefreshView>& header) {
  auto& table = associations();
  std::erase_if(table, [](const auto& entry) { return entry.second.scrollView.expired(); });
  table[scrollView.get()] = Association{scrollView, header};
}

}  // namespace

TrelixPullToRefreshView::TrelixPullToRefreshView(const Rect& frame) : View(frame) {
  setAutoresizingMask(platform::Autoresizing::FlexibleWidth);
  setBackgroundColor(platform::Color::clear());
  setOpaque(false);
  setClipsToBounds(true);
  const double w = frame.width();
  const double h = frame.height();
  const Point initial[kParticleCount] = {{w - 10, h - 14}, {w / 2, h - 7},  {w - 10, h - 12},
                                         {w - 10, h - 14}, {w / 2, h - 7},  {w - 10, h - 14},
                                         {10, h - 14},     {w / 2, h - 7},  {w - 10, h - 14}};
  for (const Point& centre : initial) {
    auto particle = platform::View::create(Rect(0, 0, kParticleSize, kParticleSize));
    particle->setCenter(centre);
    particle->setBackgroundColor(platform::Color::rgb255(164, 213, 238));
    particles_.push_back(particle);
  }
}

std::shared_ptr<TrelixPullToRefreshView> TrelixPullToRefreshView::create(const Rect& frame) {
  auto header = std::make_shared<TrelixPullToRefreshView>(frame);
  std::weak_ptr<TrelixPullToRefreshView> weak = header;
  platform::NotificationCenter::defaultCenter().addObserver(header.get(), kThemeChangeNotify,
                                                            [weak](const platform::Notification&) {
                                                              if (auto self = weak.lock()) self->receivedThemeChangeNotify();
                                                            });
  for (const auto& particle : header->particles_) header->addSubview(particle);
  header->receivedThemeChangeNotify();
  return header;
}

TrelixPullToRefreshView::~TrelixPullToRefreshView() {
  platform::NotificationCenter::defaultCenter().removeObserver(static_cast<const void*>(this));
  stopTimer();
  if (auto scroll = scrollView_.lock()) {
    scroll->removeObservation(offsetObservation_);
    scroll->removeObservation(frameObservation_);
  }
}

platform::Color TrelixPullToRefreshView::litColor() {
  return isDay() ? platform::Color::rgb255(164, 213, 238) : platform::Color::rgb255(72, 154, 198);
}

platform::Color TrelixPullToRefreshView::dimColor() {
  return isDay() ? platform::Color::rgb255(105, 187, 230) : platform::Color::rgb255(61, 132, 170);
}

void TrelixPullToRefreshView::colourAll(const platform::Color& color) {
  for (const auto& particle : particles_) particle->setBackgroundColor(color);
}

void TrelixPullToRefreshView::receivedThemeChangeNotify() { colourAll(litColor()); }

// ---- Showing and observing ---------------------------------------------------

void TrelixPullToRefreshView::setShowsPullToRefresh(bool shows) {
  setHidden(!shows);
  if (shows && !isObserving_) {
    startObserving();
  } else if (!shows && isObserving_) {
    stopObserving();
    setScrollViewTopInset(originalTopInset_);
  }
}

void TrelixPullToRefreshView::startObserving() {
  auto scroll = scrollView_.lock();
  if (!scroll) return;
  std::weak_ptr<TrelixPullToRefreshView> weak = platform::weakSelf(this);
  offsetObservation_ = scroll->observeContentOffset([weak](Point oldOffset, Point newOffset) {
    auto self = weak.lock();
    if (!self) return;
    self->contentOffsetChanged(oldOffset.y);
    self->scrollViewDidScroll(newOffset);
  });
  frameObservation_ = scroll->observeFrame([weak](const Rect&) {
    if (auto self = weak.lock()) self->setNeedsLayout();
  });
  isObserving_ = true;
}

void TrelixPullToRefreshView::stopObserving() {
  if (auto scroll = scrollView_.lock()) {
    scroll->removeObservation(offsetObservation_);
    scroll->removeObservation(frameObservation_);
  }
  offsetObservation_ = frameObservation_ = 0;
  isObserving_ = false;
}

void TrelixPullToRefreshView::willMoveToSuperview(platform::View* newSuperview) {
  View::willMoveToSuperview(newSuperview);
  auto scroll = scrollView_.lock();
  if (!newSuperview && scroll && superview() == scroll && showsPullToRefresh() && isObserving_) stopObserving();
}

// ---- Particles -------------------------------------------------------------------

Point TrelixPullToRefreshView::gridCentre(int index) const {
  const double w = bounds().width();
  const double h = bounds().height();
  const int column = index % 3;
  const int row = index / 3;
  return {w / 2 + (column - 1) * kGridPitch, h - kGridCentreFromBottom + (row - 1) * kGridPitch};
}

void TrelixPullToRefreshView::contentOffsetChanged(double y) {
  if (isRefreshing_) return;
  const double p = std::clamp(-y / 2, -10.0, 50.0);
  if (p == 50) {
    View::animate(0.3, 0, platform::AnimationOption::CurveEaseOut, [this] {
      for (int i = 0; i < kParticleCount; ++i) particles_[i]->setCenter(gridCentre(i));
    });
  } else {
    const double w = bounds().width();
    const double h = bounds().height();
    for (int i = 0; i < kParticleCount; ++i) {
      const double angle = -(p + 45.0 * i) * std::numbers::pi / 180.0;
      const double radius = 200 - 4 * p;
      const float x = static_cast<float>(w / 2 + radius * std::cos(angle));
      const float centreY = static_cast<float>(h - (radius * std::sin(angle) + kGridCentreFromBottom));
      particles_[i]->setCenter({x, centreY});
    }
  }
  setNeedsDisplay();
}

// ---- State -------------------------------------------------------------------------

void TrelixPullToRefreshView::scrollViewDidScroll(Point offset) {
  if (currentState_ == kStateLoading) return;
  auto scroll = scrollView_.lock();
  const double y = offset.y;
  const double threshold = frame().y() - originalTopInset_;
  if (scroll && !scroll->isDragging() && currentState_ == kStateTriggered) {
    setCurrentState(kStateLoading);
    return;
  }
  if (y >= threshold) awaitingReturn_ = false;
  if (currentState_ == kStateStopped && !awaitingReturn_ &&
      ((y < threshold && threshold <= -99) || y < kTriggerOffset)) {
    setCurrentState(kStateTriggered);
  } else if (y >= threshold && currentState_ != kStateStopped) {
    setCurrentState(kStateStopped);
  }
}

void TrelixPullToRefreshView::setCurrentState(int state) {
  if (state == currentState_) return;
  const int previous = currentState_;
  currentState_ = state;
  setNeedsLayout();
  switch (state) {
    case kStateLoading:
      setScrollViewTopInset(kLoadingTopInset);
      if (previous == kStateTriggered && pullToRefreshActionHandler) {
        auto action = pullToRefreshActionHandler;  // the action may replace the handler
        action();
      }
      break;
    case kStateTriggered:
      startAnimating();
      break;
    case kStateStopped:
      setScrollViewTopInset(originalTopInset_);
      break;
    default:
      break;
  }
}

void TrelixPullToRefreshView::setScrollViewTopInset(double top) {
  auto scroll = scrollView_.lock();
  if (!scroll) return;
  platform::EdgeInsets inset = scroll->contentInset();
  inset.top = top;
  View::animate(kInsetAnimationDuration, 0,
                platform::AnimationOption::BeginFromCurrentState | platform::AnimationOption::AllowUserInteraction,
                [&] { scroll->setContentInset(inset); });
  // A list still moving (decelerating towards the old top) is taken to the new
  // top, so it never comes to rest beyond it.
  if (!scroll->isDragging() && scroll->contentOffset().y < -top)
    scroll->setContentOffset({scroll->contentOffset().x, -top}, true);
}

// ---- Waiting animation -----------------------------------------------------------

void TrelixPullToRefreshView::startAnimating() {
  colourAll(litColor());
  // The refresh runs from here, before the action is called, so that an action
  // finishing at once ends it.
  stopTimer();
  isRefreshing_ = true;
  animationStep_ = 0;
  std::weak_ptr<TrelixPullToRefreshView> weak = platform::weakSelf(this);
  animationTimer_ = platform::RunLoop::main().schedule(
      kAnimationInterval,
      [weak] {
        if (auto self = weak.lock()) self->onAnimationTimer();
      },
      kAnimationInterval);
  setCurrentState(kStateLoading);
}

void TrelixPullToRefreshView::stopTimer() {
  if (animationTimer_) platform::RunLoop::main().cancel(animationTimer_);
  animationTimer_ = 0;
}

void TrelixPullToRefreshView::onAnimationTimer() {
  if (!isRefreshing_) return;
  if (waitingAnimation_ == 0) doAnimationStepForCircularWaitingAnimation();
}

void TrelixPullToRefreshView::doAnimationStepForCircularWaitingAnimation() {
  ++animationStep_;
  const int n = static_cast<int>(particles_.size()) - 1;
  const int lit = kRing[(animationStep_ + 1) % n];
  const platform::Color on = litColor();
  const platform::Color off = dimColor();
  for (int i = 0; i < static_cast<int>(particles_.size()); ++i) particles_[i]->setBackgroundColor(i == lit ? on : off);
}

void TrelixPullToRefreshView::didFinishRefresh() {
  if (!isRefreshing_) return;
  isRefreshing_ = false;
  colourAll(litColor());
  setNeedsDisplay();
  stopTimer();
  awaitingReturn_ = true;
  setCurrentState(kStateStopped);
}

// ---- The scroll-view helpers ----------------------------------------------------

namespace {

void attach(const std::shared_ptr<platform::ScrollView>& scrollView, std::function<void()> actionHandler,
            const Rect& frame, bool clip) {
  if (!scrollView || pullToRefreshController(*scrollView)) return;
  auto header = TrelixPullToRefreshView::create(frame);
  header->setPullToRefreshActionHandler(std::move(actionHandler));
  header->setScrollView(scrollView);
  scrollView->addSubview(header);
  if (clip) scrollView->setClipsToBounds(true);
  header->setOriginalTopInset(scrollView->contentInset().top);
  associate(scrollView, header);
  header->setShowsPullToRefresh(true);
}

}  // namespace

void addPullToRefreshWithActionHandler(const std::shared_ptr<platform::ScrollView>& scrollView,
                                       std::function<void()> actionHandler) {
  if (!scrollView) return;
  const Rect frame(0, -TrelixPullToRefreshView::kHeaderHeight, scrollView->bounds().width(),
                   TrelixPullToRefreshView::kHeaderHeight);
  attach(scrollView, std::move(actionHandler), frame, false);
}

void addPullToRefreshWithActionHandler(const std::shared_ptr<platform::ScrollView>& scrollView,
                                       std::function<void()> actionHandler, const Rect& frame) {
  attach(scrollView, std::move(actionHandler), frame, true);
}

std::shared_ptr<TrelixPullToRefreshView> pullToRefreshController(const platform::ScrollView& scrollView) {
  auto& table = associations();
  auto it = table.find(&scrollView);
  if (it == table.end()) return nullptr;
  if (it->second.scrollView.lock().get() != &scrollView) return nullptr;  // an address reused
  return it->second.header.lock();
}

void setShowsPullToRefresh(const platform::ScrollView& scrollView, bool shows) {
  if (auto header = pullToRefreshController(scrollView)) header->setShowsPullToRefresh(shows);
}

bool showsPullToRefresh(const platform::ScrollView& scrollView) {
  auto header = pullToRefreshController(scrollView);
  return header && header->showsPullToRefresh();
}

}  // namespace vorn
