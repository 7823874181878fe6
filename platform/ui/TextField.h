#pragma once
// A one-line editable text: text, placeholder, font, colour, alignment, secure
// entry, keyboard settings, border and clear button, and a cursor. A tap (or
// becomeFirstResponder) begins editing when the delegate allows it; the
// keyboard then sends typed text, the delete key and the return key here.
//
// Each edit by the keyboard replaces a range (the selection, the composition,
// or the character before the cursor): the field's own acceptance
// (acceptsEdit, for subclasses) and the delegate's shouldChangeCharactersInRange
// are asked first; an accepted edit moves the cursor after it, sends the
// editing-changed actions and posts "UITextFieldTextDidChangeNotification".
// Setting the text from code asks nobody and tells nobody, as on the phone.
// A length limit is the caller's: the delegate refuses edits beyond it.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/Control.h"
#include "platform/ui/Font.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBuffer.h"

namespace platform {

class Button;
class TextField;

inline constexpr char kTextFieldTextDidBeginEditingNotification[] = "UITextFieldTextDidBeginEditingNotification";
inline constexpr char kTextFieldTextDidChangeNotification[] = "UITextFieldTextDidChangeNotification";
inline constexpr char kTextFieldTextDidEndEditingNotification[] = "UITextFieldTextDidEndEditingNotification";

// What a secure field shows for each character.
inline constexpr char kSecureTextBullet[] = "\xE2\x97\x8F";  // "●"

enum class TextBorderStyle { None = 0, Line = 1, Bezel = 2, RoundedRect = 3 };
enum class TextFieldViewMode { Never = 0, WhileEditing = 1, UnlessEditing = 2, Always = 3 };
enum class KeyboardAppearance { Default = 0, Dark = 1, Light = 2 };
enum class TextAutocorrectionType { Default = 0, No = 1, Yes = 2 };
enum class TextAutocapitalizationType { None = 0, Words = 1, Sentences = 2, AllCharacters = 3 };

// Where and how a placeholder is drawn.
struct PlaceholderDrawing {
  Rect rect;
  Font font;
  Color color;
};

class TextFieldDelegate {
 public:
  virtual ~TextFieldDelegate() = default;
  virtual bool textFieldShouldBeginEditing(TextField& field) { (void)field; return true; }
  virtual void textFieldDidBeginEditing(TextField& field) { (void)field; }
  virtual bool textFieldShouldEndEditing(TextField& field) { (void)field; return true; }
  virtual void textFieldDidEndEditing(TextField& field) { (void)field; }
  // `range` in UTF-16 units of the current text.
  virtual bool shouldChangeCharactersInRange(TextField& field, TextRange range, const std::string& replacement) {
    (void)field; (void)range; (void)replacement;
    return true;
  }
  virtual bool textFieldShouldClear(TextField& field) { (void)field; return true; }
  virtual bool textFieldShouldReturn(TextField& field) { (void)field; return true; }
};

class TextField : public Control {
 public:
  explicit TextField(const Rect& frame = {});
  ~TextField() override;
  static std::shared_ptr<TextField> create(const Rect& frame = {}) { return std::make_shared<TextField>(frame); }
  std::string className() const override { return "TextField"; }

  void setDelegate(std::weak_ptr<TextFieldDelegate> delegate) { delegate_ = std::move(delegate); }
  std::shared_ptr<TextFieldDelegate> delegate() const { return delegate_.lock(); }

  // Content and look.
  const std::string& text() const { return buffer_.text(); }
  void setText(const std::string& text);
  const std::string& placeholder() const { return placeholder_; }
  void setPlaceholder(const std::string& placeholder);
  // The platform's placeholder grey unless set.
  const Color& placeholderColor() const { return placeholderColor_; }
  void setPlaceholderColor(const Color& color) { placeholderColor_ = color; setNeedsDisplay(); }
  static Color defaultPlaceholderColor() { return Color::rgb255(199, 199, 205); }
  const Font& font() const { return font_; }
  void setFont(const Font& font) { font_ = font; setNeedsDisplay(); }
  const Color& textColor() const { return textColor_; }
  void setTextColor(const Color& color) { textColor_ = color; setNeedsDisplay(); }
  TextAlignment textAlignment() const { return alignment_; }
  void setTextAlignment(TextAlignment alignment) { alignment_ = alignment; setNeedsDisplay(); }
  TextBorderStyle borderStyle() const { return borderStyle_; }
  void setBorderStyle(TextBorderStyle style);
  bool adjustsFontSizeToFitWidth() const { return adjustsFontSize_; }
  void setAdjustsFontSizeToFitWidth(bool on) { adjustsFontSize_ = on; setNeedsDisplay(); }
  double minimumFontSize() const { return minimumFontSize_; }
  void setMinimumFontSize(double size) { minimumFontSize_ = size; setNeedsDisplay(); }
  bool clearsOnBeginEditing() const { return clearsOnBeginEditing_; }
  void setClearsOnBeginEditing(bool on) { clearsOnBeginEditing_ = on; }

  // Keyboard settings.
  bool isSecureTextEntry() const { return secure_; }
  void setSecureTextEntry(bool on) { secure_ = on; setNeedsDisplay(); }
  KeyboardType keyboardType() const override { return keyboardType_; }
  void setKeyboardType(KeyboardType type) { keyboardType_ = type; }
  ReturnKeyType returnKeyType() const override { return returnKeyType_; }
  void setReturnKeyType(ReturnKeyType type) { returnKeyType_ = type; }
  KeyboardAppearance keyboardAppearance() const { return appearance_; }
  void setKeyboardAppearance(KeyboardAppearance appearance) { appearance_ = appearance; }
  // When on, the return key does nothing while the field is empty.
  bool enablesReturnKeyAutomatically() const { return enablesReturnKeyAutomatically_; }
  void setEnablesReturnKeyAutomatically(bool on) { enablesReturnKeyAutomatically_ = on; }
  bool isReturnKeyEnabled() const { return !enablesReturnKeyAutomatically_ || !text().empty(); }
  TextAutocorrectionType autocorrectionType() const { return autocorrection_; }
  void setAutocorrectionType(TextAutocorrectionType type) { autocorrection_ = type; }
  TextAutocapitalizationType autocapitalizationType() const { return autocapitalization_; }
  void setAutocapitalizationType(TextAutocapitalizationType type) { autocapitalization_ = type; }
  // A view shown in place of the keyboard's keys, and a bar above them, while
  // this field edits. reloadInputViews shows changed ones at once.
  std::shared_ptr<View> inputView() const override { return inputView_; }
  void setInputView(std::shared_ptr<View> view) { inputView_ = std::move(view); }
  std::shared_ptr<View> inputAccessoryView() const override { return inputAccessoryView_; }
  void setInputAccessoryView(std::shared_ptr<View> view) { inputAccessoryView_ = std::move(view); }
  void reloadInputViews();

  // The clear button: a small button at the right end, shown per mode while
  // the field holds text; a tap empties the field when the delegate allows it.
  TextFieldViewMode clearButtonMode() const { return clearButtonMode_; }
  void setClearButtonMode(TextFieldViewMode mode) { clearButtonMode_ = mode; setNeedsLayout(); }
  std::shared_ptr<Button> clearButton() const { return clearButton_; }

  // Editing.
  bool isEditing() const { return editing_; }
  TextRange selectedRange() const { return buffer_.selectedRange(); }
  void setSelectedRange(TextRange range) { buffer_.setSelectedRange(range); setNeedsDisplay(); }
  std::optional<TextRange> markedTextRange() const { return buffer_.markedRange(); }
  // An input method's composition: shown in the text and marked, replaced by
  // the next composition step or by the typed text; asked about like any edit.
  void setMarkedText(const std::string& marked, TextRange selectedInMarked);
  void unmarkText();
  // Replaces `range` as the keyboard would: asked, applied, reported. True when applied.
  bool replaceRange(TextRange range, const std::string& replacement);

  // Geometry; subclasses may override where text, placeholder and the clear button go.
  virtual Rect textRectForBounds(const Rect& bounds) const;
  virtual Rect editingRectForBounds(const Rect& bounds) const;
  virtual Rect placeholderRectForBounds(const Rect& bounds) const;
  virtual Rect clearButtonRectForBounds(const Rect& bounds) const;
  // How the placeholder is drawn (nothing without a placeholder text).
  virtual std::optional<PlaceholderDrawing> placeholderDrawing() const;
  // Whether the placeholder shows: it has a text and the field holds none.
  bool showsPlaceholder() const;
  // Where the cursor is drawn (bounds coordinates).
  Rect caretRect() const;
  // The text as shown: bullets for secure entry.
  std::string displayedText() const;
  // The font after shrinking to fit the width, when that is on.
  Font displayedFont() const;

  // Responder.
  bool canBecomeFirstResponder() const override;
  // Asks the delegate's should-end while editing.
  bool canResignFirstResponder() const override;
  bool becomeFirstResponder() override;
  bool acceptsText() const override { return editing_; }
  void insertText(const std::string& text) override;
  void deleteBackward() override;
  void pressReturn() override;

  void touchesEnded(const TouchSet& touches, const Event& event) override;
  void layoutSubviews() override;
  std::string automationText() const override { return displayedText(); }

 protected:
  // The field's own say on an edit, asked before the delegate (true: the field takes it).
  virtual bool acceptsEdit(TextRange range, const std::string& replacement, const std::string& result) {
    (void)range; (void)replacement; (void)result;
    return true;
  }
  // After an accepted edit changed the text, after the editing-changed actions.
  virtual void textDidChange() {}
  void didBecomeFirstResponder() override;
  void didResignFirstResponder() override;

 private:
  bool askToChange(TextRange range, const std::string& replacement);
  void reportChange();
  void clearTapped();
  bool clearButtonShown() const;

  TextBuffer buffer_;
  std::weak_ptr<TextFieldDelegate> delegate_;
  std::string placeholder_;
  Color placeholderColor_ = defaultPlaceholderColor();
  Font font_ = Font::systemFont(17);
  Color textColor_ = Color::black();
  TextAlignment alignment_ = TextAlignment::Left;
  TextBorderStyle borderStyle_ = TextBorderStyle::None;
  bool adjustsFontSize_ = false;
  double minimumFontSize_ = 0;
  bool clearsOnBeginEditing_ = false;
  bool secure_ = false;
  KeyboardType keyboardType_ = KeyboardType::Default;
  ReturnKeyType returnKeyType_ = ReturnKeyType::Default;
  KeyboardAppearance appearance_ = KeyboardAppearance::Default;
  bool enablesReturnKeyAutomatically_ = false;
  TextAutocorrectionType autocorrection_ = TextAutocorrectionType::Default;
  TextAutocapitalizationType autocapitalization_ = TextAutocapitalizationType::Sentences;
  std::shared_ptr<View> inputView_;
  std::shared_ptr<View> inputAccessoryView_;
  TextFieldViewMode clearButtonMode_ = TextFieldViewMode::Never;
  std::shared_ptr<Button> clearButton_;
  bool editing_ = false;
};

}  // namespace platform
