#pragma once
// A translucent notice box over a view or a window: a text notice, a spinner
// with a text, or a custom picture (any view) with a text. It shows and hides
// with a fade, stays up at least its minimum show time once shown, can hide
// after a delay, and tells its delegate (and its completion) when it has hidden.
//
// Every notice shown, and every change of its text while it is up, is reported
// to the system notice listener with the kind "hud".
#include <functional>
#include <memory>
#include <string>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Font.h"
#include "platform/ui/View.h"

namespace platform {

class NoticeTextView;
class Window;

inline constexpr char kNoticeKindHud[] = "hud";

enum class ProgressHudMode { Indeterminate = 0, CustomView = 1, Text = 2 };

class ProgressHud;

class ProgressHudDelegate {
 public:
  virtual ~ProgressHudDelegate() = default;
  // The notice has hidden (after its fade when hidden animated).
  virtual void hudWasHidden(ProgressHud& hud) { (void)hud; }
};

// How a notice looks. The look in force when a notice is laid out is the
// notice's own look when set, else the shared provider's answer (themes install
// a provider that reads the current theme, so notices follow a switch).
struct ProgressHudLook {
  Color boxColor = Color::black();  // drawn at the notice's opacity
  double cornerRadius = 10;
  Color labelColor = Color::white();
  Color detailsLabelColor = Color::white();
  Font labelFont = Font::boldSystemFont(16);
  Font detailsLabelFont = Font::boldSystemFont(12);
  double margin = 20;
};

class ProgressHud : public View {
 public:
  ProgressHud(ConstructionKey<ProgressHud>, const Rect& frame);
  // A notice covering the view's bounds (not yet added to it).
  static std::shared_ptr<ProgressHud> initWithView(const std::shared_ptr<View>& view);
  static std::shared_ptr<ProgressHud> initWithWindow(const std::shared_ptr<Window>& window);
  // Makes a notice over the view, adds it and shows it.
  static std::shared_ptr<ProgressHud> showHUDAddedTo(const std::shared_ptr<View>& view, bool animated);
  std::string className() const override { return "ProgressHud"; }

  ProgressHudMode mode() const { return mode_; }
  void setMode(ProgressHudMode mode);
  const std::string& labelText() const { return labelText_; }
  void setLabelText(const std::string& text);
  const std::string& detailsLabelText() const { return detailsText_; }
  void setDetailsLabelText(const std::string& text);
  // The view shown in custom-view mode (a picture view, typically).
  const std::shared_ptr<View>& customView() const { return customView_; }
  void setCustomView(std::shared_ptr<View> view);

  double opacity() const { return opacity_; }
  void setOpacity(double opacity) { opacity_ = opacity; setNeedsLayout(); }
  double xOffset() const { return xOffset_; }
  void setXOffset(double x) { xOffset_ = x; setNeedsLayout(); }
  double yOffset() const { return yOffset_; }
  void setYOffset(double y) { yOffset_ = y; setNeedsLayout(); }
  // Seconds a shown notice stays up at least, whenever hide is asked.
  double minShowTime() const { return minShowTime_; }
  void setMinShowTime(double seconds) { minShowTime_ = seconds; }
  bool removeFromSuperViewOnHide() const { return removeOnHide_; }
  void setRemoveFromSuperViewOnHide(bool on) { removeOnHide_ = on; }

  void setDelegate(std::weak_ptr<ProgressHudDelegate> delegate) { delegate_ = std::move(delegate); }
  std::shared_ptr<ProgressHudDelegate> delegate() const { return delegate_.lock(); }
  // Runs after the delegate's was-hidden call.
  void setCompletionBlock(std::function<void()> completion) { completion_ = std::move(completion); }

  // The look: this notice's own, or (when unset) the shared provider's.
  void setLook(const ProgressHudLook& look) { look_ = look; hasLook_ = true; setNeedsLayout(); }
  ProgressHudLook currentLook() const;
  static void setLookProvider(std::function<ProgressHudLook()> provider);

  void show(bool animated);
  // Hides now, or once the minimum show time has passed.
  void hide(bool animated);
  void hide(bool animated, double delay);
  // Shown and not yet hidden (a fade-out in progress counts as hidden).
  bool isShowing() const { return showing_; }

  // The parts, for layout checks and the renderer.
  const std::shared_ptr<View>& boxView() const { return box_; }
  const std::shared_ptr<NoticeTextView>& label() const { return label_; }
  const std::shared_ptr<NoticeTextView>& detailsLabel() const { return details_; }
  // The look used by the last layout (fonts and colours of the labels).
  const ProgressHudLook& displayedLook() const { return displayed_; }
  const std::shared_ptr<View>& indicator() const { return indicator_; }

  void layoutSubviews() override;
  std::string automationText() const override { return labelText_; }

  static constexpr double kFadeDuration = 0.3;

 private:
  void buildInsides();
  void updateIndicator();
  void report();
  void hideNow(bool animated);
  void done();
  void cancelTimers();

  ProgressHudMode mode_ = ProgressHudMode::Indeterminate;
  std::string labelText_;
  std::string detailsText_;
  std::shared_ptr<View> customView_;
  double opacity_ = 0.8;
  double xOffset_ = 0;
  double yOffset_ = 0;
  double minShowTime_ = 0;
  bool removeOnHide_ = false;
  std::weak_ptr<ProgressHudDelegate> delegate_;
  std::function<void()> completion_;
  ProgressHudLook look_;
  bool hasLook_ = false;

  std::shared_ptr<View> box_;
  std::shared_ptr<NoticeTextView> label_;
  std::shared_ptr<NoticeTextView> details_;
  ProgressHudLook displayed_;
  std::shared_ptr<View> indicator_;
  bool showing_ = false;
  double shownAt_ = 0;
  TimerId delayTimer_ = 0;
  TimerId minShowTimer_ = 0;
  std::uint64_t generation_ = 0;  // bumped by every show; stale fades do nothing
};

}  // namespace platform
