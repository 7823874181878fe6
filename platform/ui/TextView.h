#pragma once
// A scrolling, many-line editable text: text, font, colour, alignment,
// keyboard settings and a cursor. Its content height follows the wrapped text.
// A tap (or becomeFirstResponder) begins editing when it is editable and the
// delegate allows it; the return key types a line break, which the delegate's
// shouldChangeTextInRange may refuse (screens that send on return do so).
//
// Each keyboard edit is asked about first (shouldChangeTextInRange); an
// accepted one moves the cursor after it, tells the delegate (textViewDidChange)
// and posts "UITextViewTextDidChangeNotification". Setting the text from code
// asks nobody and tells nobody. A length limit is the caller's.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextBuffer.h"

namespace platform {

class TextView;

inline constexpr char kTextViewTextDidBeginEditingNotification[] = "UITextViewTextDidBeginEditingNotification";
inline constexpr char kTextViewTextDidChangeNotification[] = "UITextViewTextDidChangeNotification";
inline constexpr char kTextViewTextDidEndEditingNotification[] = "UITextViewTextDidEndEditingNotification";

// A text view's delegate also hears its scrolling.
class TextViewDelegate : public ScrollViewDelegate {
 public:
  virtual bool textViewShouldBeginEditing(TextView& textView) { (void)textView; return true; }
  virtual void textViewDidBeginEditing(TextView& textView) { (void)textView; }
  virtual bool textViewShouldEndEditing(TextView& textView) { (void)textView; return true; }
  virtual void textViewDidEndEditing(TextView& textView) { (void)textView; }
  // `range` in UTF-16 units of the current text.
  virtual bool shouldChangeTextInRange(TextView& textView, TextRange range, const std::string& text) {
    (void)textView; (void)range; (void)text;
    return true;
  }
  virtual void textViewDidChange(TextView& textView) { (void)textView; }
  virtual void textViewDidChangeSelection(TextView& textView) { (void)textView; }
};

class TextView : public ScrollView {
 public:
  explicit TextView(const Rect& frame = {});
  ~TextView() override;
  static std::shared_ptr<TextView> create(const Rect& frame = {}) { return std::make_shared<TextView>(frame); }
  std::string className() const override { return "TextView"; }

  void setDelegate(std::weak_ptr<TextViewDelegate> delegate);
  std::shared_ptr<TextViewDelegate> delegate() const { return textDelegate_.lock(); }

  // Content and look.
  const std::string& text() const { return buffer_.text(); }
  void setText(const std::string& text);
  const Font& font() const { return font_; }
  void setFont(const Font& font);
  const Color& textColor() const { return textColor_; }
  void setTextColor(const Color& color) { textColor_ = color; setNeedsDisplay(); }
  TextAlignment textAlignment() const { return alignment_; }
  void setTextAlignment(TextAlignment alignment) { alignment_ = alignment; setNeedsDisplay(); }
  // Space between the bounds and the text block.
  EdgeInsets textContainerInset() const { return textInset_; }
  void setTextContainerInset(const EdgeInsets& inset);
  bool isEditable() const { return editable_; }
  void setEditable(bool on);
  bool isSelectable() const { return selectable_; }
  void setSelectable(bool on) { selectable_ = on; }

  // Keyboard settings.
  KeyboardType keyboardType() const override { return keyboardType_; }
  void setKeyboardType(KeyboardType type) { keyboardType_ = type; }
  ReturnKeyType returnKeyType() const override { return returnKeyType_; }
  void setReturnKeyType(ReturnKeyType type) { returnKeyType_ = type; }
  bool enablesReturnKeyAutomatically() const { return enablesReturnKeyAutomatically_; }
  void setEnablesReturnKeyAutomatically(bool on) { enablesReturnKeyAutomatically_ = on; }
  bool isReturnKeyEnabled() const { return !enablesReturnKeyAutomatically_ || !text().empty(); }
  std::shared_ptr<View> inputView() const override { return inputView_; }
  void setInputView(std::shared_ptr<View> view) { inputView_ = std::move(view); }
  std::shared_ptr<View> inputAccessoryView() const override { return inputAccessoryView_; }
  void setInputAccessoryView(std::shared_ptr<View> view) { inputAccessoryView_ = std::move(view); }
  void reloadInputViews();

  // Editing.
  bool isEditing() const { return editing_; }
  TextRange selectedRange() const { return buffer_.selectedRange(); }
  void setSelectedRange(TextRange range);
  std::optional<TextRange> markedTextRange() const { return buffer_.markedRange(); }
  void setMarkedText(const std::string& marked, TextRange selectedInMarked);
  void unmarkText();
  // Replaces `range` as the keyboard would: asked, applied, reported. True when applied.
  bool replaceRange(TextRange range, const std::string& text);

  // Layout of the text: the lines as wrapped within the text width, the text
  // block's rectangle in content coordinates, and where the cursor is drawn.
  std::vector<std::string> displayedLines() const;
  Rect textRect() const;
  Rect caretRect() const;

  // Responder.
  bool canBecomeFirstResponder() const override { return editable_; }
  bool canResignFirstResponder() const override;
  bool becomeFirstResponder() override;
  bool acceptsText() const override { return editing_; }
  void insertText(const std::string& text) override;
  void deleteBackward() override;
  void pressReturn() override;

  void touchesEnded(const TouchSet& touches, const Event& event) override;
  void layoutSubviews() override;
  std::string automationText() const override { return text(); }

 protected:
  void didBecomeFirstResponder() override;
  void didResignFirstResponder() override;

 private:
  double textWidth() const;
  void updateContentSize();
  void reportChange();

  TextBuffer buffer_;
  std::weak_ptr<TextViewDelegate> textDelegate_;
  Font font_ = Font::systemFont(12);
  Color textColor_ = Color::black();
  TextAlignment alignment_ = TextAlignment::Left;
  EdgeInsets textInset_{8, 0, 8, 0};
  bool editable_ = true;
  bool selectable_ = true;
  KeyboardType keyboardType_ = KeyboardType::Default;
  ReturnKeyType returnKeyType_ = ReturnKeyType::Default;
  bool enablesReturnKeyAutomatically_ = false;
  std::shared_ptr<View> inputView_;
  std::shared_ptr<View> inputAccessoryView_;
  bool editing_ = false;
};

}  // namespace platform
