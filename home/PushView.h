#pragma once
// The full-screen card of a received push: it dims the screen and asks the
// portal for a preview of the pushed article, thread, picture set or event.
// The caller adds it to the window and forgets it.
//
// So far only the card's frame, its dimming and the preview request stand; the
// preview's contents and opening its target come with the home screen's cards.
#include <memory>
#include <string>

#include "platform/foundation/Value.h"
#include "platform/ui/View.h"

namespace vorn {

inline constexpr char kNewsPushPath[] = "/interface/vorn/GetNewsPush.php";
inline constexpr char kNewsPushIdKey[] = "news_id";
inline constexpr char kNewsPushTypeKey[] = "news_type";

class PushView : public platform::View {
 public:
  // pushType: 1 article, 2 thread, 3 picture set, 4 event page.
  static std::shared_ptr<PushView> initWithFrame(const platform::Rect& frame, int pushType,
                                                 const std::string& pushId);
  explicit PushView(const platform::Rect& frame) : platform::View(frame) {}
  std::string className() const override { return "PushView"; }

  int pushType() const { return pushType_; }
  const std::string& pushId() const { return pushId_; }
  // The preview answer once it arrived (null before, and after a failure).
  const platform::Value& preview() const { return preview_; }

 private:
  void requestPreview();

  int pushType_ = 1;
  std::string pushId_;
  platform::Value preview_;
};

}  // namespace vorn
