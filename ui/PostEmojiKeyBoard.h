#pragma once
// The face keyboard that replaces the system keyboard of a composer's text
// view: 28 face keys a page (4 rows of 7) on paged faces, page dots under them
// and a delete key in the lower right corner that stays while the pages move.
// It is always 320 x 210 points and takes the theme's look once, when made.
//
// Bound to a text view or a text field, it becomes that input's input view and
// types into it at its cursor as the system keyboard would: a face key inserts
// the face's show text (replacing any selection), the delete key deletes
// backwards one step. The input asks its delegate, applies the edit and reports
// it itself (its delegate's did-change call and one text-did-change
// notification), so every key is reported exactly once.
#include <memory>
#include <vector>

#include "platform/ui/ScrollView.h"
#include "platform/ui/View.h"
#include "ui/ExpressionTable.h"

namespace platform {
class Button;
class Control;
class PageControl;
}  // namespace platform

namespace vorn {

class PostEmojiKeyBoard : public platform::View, public platform::ScrollViewDelegate {
 public:
  static constexpr double kWidth = 320;
  static constexpr double kHeight = 210;
  static constexpr int kFacesPerPage = 28;
  static constexpr double kKeySize = 44;

  PostEmojiKeyBoard();
  static std::shared_ptr<PostEmojiKeyBoard> init();
  std::string className() const override { return "PostEmojiKeyBoard"; }

  // Binds the keyboard to an input (null unbinds; the host then clears the
  // input's input view itself). A text view or text field gets the keyboard as
  // its input view. The input holds the keyboard, so the keyboard only refers
  // to the input (weakly): a screen closed with faces up frees both.
  void setTextView(const std::shared_ptr<platform::View>& input);
  std::shared_ptr<platform::View> textView() const { return textView_.lock(); }
  bool enableInputClicksWhenVisible() const { return true; }

  // The keys' actions.
  void characterPressed(platform::Control& sender);
  void deletePressed(platform::Control& sender);

  const std::shared_ptr<platform::ScrollView>& faceView() const { return faceView_; }
  const std::shared_ptr<platform::PageControl>& facePageControl() const { return facePageControl_; }
  const std::vector<Expression>& faceMap() const { return _faceMap; }
  const std::shared_ptr<platform::Button>& deleteKey() const { return deleteKey_; }

  void scrollViewDidEndDecelerating(platform::ScrollView& scrollView) override;

 private:
  void build();

  std::shared_ptr<platform::ScrollView> faceView_;
  std::shared_ptr<platform::PageControl> facePageControl_;
  std::shared_ptr<platform::Button> deleteKey_;
  std::vector<Expression> _faceMap;
  std::weak_ptr<platform::View> textView_;
};

}  // namespace vorn
