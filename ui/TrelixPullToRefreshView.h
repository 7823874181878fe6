#pragma once
// The pull-to-refresh header of every list: it sits above the top of a scroll
// view's content. While the list is pulled down, nine small squares turn and
// close in on the header's centre; past the threshold they gather into a 3 x 3
// grid, the list's top inset becomes 100 points so the header stays in view,
// the screen's action runs, and a highlight walks around the grid every 0.1 s
// until the screen calls didFinishRefresh. Colours follow the day/night theme.
//
// Screens attach it through the scroll-view helpers below, set the waiting
// animation to 0, and call didFinishRefresh when the reload the action started
// has ended, whether it succeeded or not.
//
// A refresh counts as running from just before the action is called, so an
// action that finishes synchronously (calls didFinishRefresh before returning)
// ends its refresh. After a refresh has ended, the next one needs the list to
// come back above the threshold first: one pull, one refresh.
#include <functional>
#include <memory>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Color.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/View.h"

namespace vorn {

class TrelixPullToRefreshView : public platform::View {
 public:
  enum State { kStateStopped = 0, kStateTriggered = 1, kStateLoading = 2 };

  // The default header's height, and where a drag starts a refresh.
  static constexpr double kHeaderHeight = 100;
  static constexpr double kTriggerOffset = -100;
  static constexpr double kLoadingTopInset = 100;
  static constexpr double kParticleSize = 7;
  static constexpr double kAnimationInterval = 0.1;
  static constexpr double kInsetAnimationDuration = 0.3;
  static constexpr int kParticleCount = 9;

  explicit TrelixPullToRefreshView(const platform::Rect& frame);
  static std::shared_ptr<TrelixPullToRefreshView> create(const platform::Rect& frame);
  ~TrelixPullToRefreshView() override;
  std::string className() const override { return "TrelixPullToRefreshView"; }

  void setPullToRefreshActionHandler(std::function<void()> handler) { pullToRefreshActionHandler = std::move(handler); }
  void setScrollView(const std::shared_ptr<platform::ScrollView>& scrollView) { scrollView_ = scrollView; }
  std::shared_ptr<platform::ScrollView> scrollView() const { return scrollView_.lock(); }
  void setOriginalTopInset(double inset) { originalTopInset_ = inset; }
  double originalTopInset() const { return originalTopInset_; }

  int waitingAnimation() const { return waitingAnimation_; }
  void setWaitingAnimation(int kind) { waitingAnimation_ = kind; }
  // The screen's reload has ended (successfully or not).
  void didFinishRefresh();

  // Shown or hidden; showing starts the observation of the scroll view's
  // offset and frame, hiding stops it and restores the top inset.
  void setShowsPullToRefresh(bool shows);
  bool showsPullToRefresh() const { return !isHidden(); }

  int currentState() const { return currentState_; }
  void setCurrentState(int state);
  bool isRefreshing() const { return isRefreshing_; }
  bool isObserving() const { return isObserving_; }
  int animationStep() const { return animationStep_; }
  // The nine particles in grid order, row by row from the top left.
  const std::vector<std::shared_ptr<platform::View>>& particles() const { return particles_; }

  // The colours by theme: the lit and the dim particle.
  static platform::Color litColor();
  static platform::Color dimColor();

  // Observed changes: the particles follow the old offset, the state the new one.
  void contentOffsetChanged(double y);
  void scrollViewDidScroll(platform::Point offset);
  void receivedThemeChangeNotify();

  void willMoveToSuperview(platform::View* newSuperview) override;

 private:
  void startObserving();
  void stopObserving();
  void startAnimating();
  void stopTimer();
  void onAnimationTimer();
  void doAnimationStepForCircularWaitingAnimation();
  void colourAll(const platform::Color& color);
  void setScrollViewTopInset(double top);
  platform::Point gridCentre(int index) const;

  std::function<void()> pullToRefreshActionHandler;
  std::weak_ptr<platform::ScrollView> scrollView_;
  std::vector<std::shared_ptr<platform::View>> particles_;
  int currentState_ = kStateStopped;
  int waitingAnimation_ = 0;
  double originalTopInset_ = 0;
  bool isObserving_ = false;
  bool isRefreshing_ = false;
  platform::TimerId animationTimer_ = 0;
  int animationStep_ = 0;
  // A refresh has ended while the list was still past the threshold.
  bool awaitingReturn_ = false;
  platform::ScrollView::ObservationToken offsetObservation_ = 0;
  platform::ScrollView::ObservationToken frameObservation_ = 0;
};

// The scroll-view helpers (`UIScrollView(TrelixPullToRefresh)`).
// Attaches a header at (0, -100, width of the scroll view, 100). A second
// attach does nothing: the first header and its action stay.
void addPullToRefreshWithActionHandler(const std::shared_ptr<platform::ScrollView>& scrollView,
                                       std::function<void()> actionHandler);
// With the caller's frame; the scroll view then clips its subviews.
void addPullToRefreshWithActionHandler(const std::shared_ptr<platform::ScrollView>& scrollView,
                                       std::function<void()> actionHandler, const platform::Rect& frame);
// The attached header (not owned: the scroll view's subviews own it), or null.
std::shared_ptr<TrelixPullToRefreshView> pullToRefreshController(const platform::ScrollView& scrollView);
void setShowsPullToRefresh(const platform::ScrollView& scrollView, bool shows);
bool showsPullToRefresh(const platform::ScrollView& scrollView);

}  // namespace vorn
