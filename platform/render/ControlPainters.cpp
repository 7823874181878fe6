// The painters of the platform's controls: labels (plain, with links, rich),
// buttons, picture views, text fields and text views, switches, activity
// indicators and page dots.
// Text is placed with the same metrics and the same rectangles the controls
// lay themselves out with, so what is drawn is where layout says it is.
// What a control draws is cut at its bounds, as the device's backing store is.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/render/BuiltinPainters.h"
#include "platform/render/ImagePainter.h"
#include "platform/render/TextPainter.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/LinkLabel.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TagRichTextLabel.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"

namespace platform::render {
namespace {

// Disabled labels draw their text at this share of its colour's alpha.
constexpr double kDisabledTextAlpha = 0.5;
// A button's picture while highlighted: darkened by black at this alpha; disabled: drawn at this alpha.
constexpr double kHighlightedImageShade = 0.35;
constexpr double kDisabledImageAlpha = 0.5;
// The glow of a button that shows touches while highlighted.
constexpr double kTouchGlowRadius = 20;
constexpr int kSpokes = 12;

// Saves the context and cuts drawing at `rect`; restores when it goes.
class ClipTo {
 public:
  ClipTo(cairo_t* cr, const Rect& rect) : cr_(cr) {
    cairo_save(cr_);
    Rect visible = visiblePart(cr_, rect);
    cairo_rectangle(cr_, visible.x(), visible.y(), visible.width(), visible.height());
    cairo_clip(cr_);
  }
  ~ClipTo() { cairo_restore(cr_); }
  ClipTo(const ClipTo&) = delete;
  ClipTo& operator=(const ClipTo&) = delete;

 private:
  cairo_t* cr_;
};

Color dimmed(const Color& c, double share) { return c.withAlpha(c.alpha * share); }

// The x of a line of `width` aligned in `box` (justified and natural lines start at the left).
double alignedX(platform::TextAlignment alignment, const Rect& box, double width) {
  switch (alignment) {
    case platform::TextAlignment::Center: return box.midX() - width / 2;
    case platform::TextAlignment::Right: return box.maxX() - width;
    default: return box.x();
  }
}

// ---- Label ----

// The lines shown, in the displayed font, in the label's own text rectangle
// (vertically centred in the bounds), each aligned across it; the shadow
// first when the label has one.
void paintLabel(PaintContext& context, const View& view, const Rect& bounds) {
  auto* label = dynamic_cast<const Label*>(&view);
  if (!label || label->text().empty()) return;
  std::vector<std::string> lines = label->displayedLines();
  if (lines.empty()) return;
  Font font = label->displayedFont();
  double lineHeight = font.lineHeight();
  if (!(lineHeight > 0)) return;
  Color color = label->isHighlighted() && !label->highlightedTextColor().isClear() ? label->highlightedTextColor()
                                                                                   : label->textColor();
  if (!label->isEnabled()) color = dimmed(color, kDisabledTextAlpha);
  Rect box = label->textRectForBounds(bounds, static_cast<int>(lines.size()));
  double block = lineHeight * static_cast<double>(lines.size());
  // Centred on the text rectangle; a block taller than the bounds overflows
  // both edges evenly and is cut there.
  double top = box.midY() - block / 2;
  ClipTo clip(context.cr, bounds);
  auto drawAll = [&](const Color& ink, double dx, double dy) {
    double y = top;
    for (auto& line : lines) {
      double width = TextMetrics::lineWidth(line, font);
      drawTextLine(context, line, font, ink, {alignedX(label->textAlignment(), box, width) + dx, y + dy});
      y += lineHeight;
    }
  };
  if (!label->shadowColor().isClear())
    drawAll(label->shadowColor(), label->shadowOffset().width, label->shadowOffset().height);
  drawAll(color, 0, 0);
}

// ---- LinkLabel, EmojiLabel, TagRichTextLabel ----

// Where each laid-out line starts in the text (code points): the lines are the
// text's pieces in order, less the spaces and line breaks wrapping drops.
std::vector<std::size_t> lineStarts(const std::u32string& text, const std::vector<std::string>& lines) {
  std::vector<std::size_t> starts;
  std::size_t cursor = 0;
  for (auto& line : lines) {
    std::u32string piece = TextMetrics::decode(line);
    std::size_t at = piece.empty() ? std::u32string::npos : text.find(piece, cursor);
    if (at == std::u32string::npos) at = cursor;
    starts.push_back(at);
    cursor = std::min(text.size(), at + piece.size());
  }
  return starts;
}

// The lines of a wrapped text that fit the height (at least one), and the top
// of their block centred in the bounds.
TextLayout fittingLines(const std::string& text, const Font& font, const Rect& bounds, double& top) {
  double lineHeight = font.lineHeight();
  int fitting = lineHeight > 0 ? std::max(1, static_cast<int>(std::floor(bounds.height() / lineHeight + 1e-9))) : 1;
  TextLayout layout = TextMetrics::layoutText(text, font, bounds.width(), LineBreakMode::WordWrap, fitting);
  top = bounds.midY() - lineHeight * static_cast<double>(layout.lines.size()) / 2;
  return layout;
}

// Draws each laid-out line in pieces, a piece per run of characters of one
// style (`styleOf` a code point index), each piece's font and colour from `draw`.
template <class StyleOf, class Draw>
void drawStyledLines(const std::u32string& text, const std::vector<std::string>& lines, double left, double top,
                     double lineHeight, StyleOf styleOf, Draw draw) {
  auto starts = lineStarts(text, lines);
  for (std::size_t l = 0; l < lines.size(); ++l) {
    std::u32string line = TextMetrics::decode(lines[l]);
    double x = left, y = top + lineHeight * static_cast<double>(l);
    std::size_t i = 0;
    while (i < line.size()) {
      int style = styleOf(starts[l] + i);
      std::size_t j = i + 1;
      while (j < line.size() && styleOf(starts[l] + j) == style) ++j;
      x += draw(TextMetrics::encode(line.substr(i, j - i)), style, x, y);
      i = j;
    }
  }
}

// A link label: its text wrapped by words within the bounds as the label lays
// it out, links in the link colour, inline pictures (an emoji label's
// emoticons) in the squares the layout gives them.
void paintLinkLabel(PaintContext& context, const View& view, const Rect& bounds) {
  auto* label = dynamic_cast<const LinkLabel*>(&view);
  if (!label || label->text().empty()) return;
  const Font& font = label->font();
  ClipTo clip(context.cr, bounds);
  for (const auto& fragment : label->fragmentsInBounds(bounds)) {
    if (!fragment.pictureName.empty()) {
      if (auto picture = Image::imageNamed(fragment.pictureName)) drawImage(context, *picture, fragment.frame);
      continue;
    }
    drawTextLine(context, fragment.text, font, fragment.link ? label->linkColor() : label->textColor(),
                 fragment.frame.origin);
  }
}

// A tagged rich text: wrapped by its widest font as it measures itself, each
// run in its own font and colour on a common baseline, underlined where marked.
void paintTagRichTextLabel(PaintContext& context, const View& view, const Rect& bounds) {
  auto* label = dynamic_cast<const TagRichTextLabel*>(&view);
  if (!label) return;
  const auto& runs = label->runs();
  std::u32string text;
  std::vector<int> runOf;
  Font widest = label->font();
  for (std::size_t r = 0; r < runs.size(); ++r) {
    std::u32string piece = TextMetrics::decode(runs[r].text);
    text += piece;
    runOf.insert(runOf.end(), piece.size(), static_cast<int>(r));
    const Font& f = runs[r].font;
    if (f.pointSize > widest.pointSize || (f.pointSize == widest.pointSize && f.bold)) widest = f;
  }
  if (text.empty()) return;
  double top = 0;
  TextLayout layout = fittingLines(TextMetrics::encode(text), widest, bounds, top);
  ClipTo clip(context.cr, bounds);
  drawStyledLines(
      text, layout.lines, bounds.x(), top, widest.lineHeight(),
      [&](std::size_t i) { return i < runOf.size() ? runOf[i] : -1; },
      [&](const std::string& piece, int r, double x, double y) {
        if (r < 0) return 0.0;
        const RichTextRun& run = runs[static_cast<std::size_t>(r)];
        double baseline = y + widest.ascender();
        drawTextLine(context, piece, run.font, run.color, {x, baseline - run.font.ascender()});
        double width = TextMetrics::lineWidth(piece, run.font);
        if (run.underline) fillRoundedRect(context, {x, baseline + 1, width, 1}, 0, run.color);
        return width;
      });
}

// ---- ImageView ----

// A picture of a button (its image or its background) drawn as the button's
// state asks: darker while highlighted and fainter while disabled, unless the
// state has a picture of its own.
struct ButtonPictureLook {
  bool darken = false;
  double alpha = 1;
};
ButtonPictureLook buttonLookFor(const View& view) {
  ButtonPictureLook look;
  auto* button = dynamic_cast<const Button*>(view.superview().get());
  if (!button) return look;
  bool isImage = button->imageView().get() == &view;
  bool isBackground = button->backgroundImageView().get() == &view;
  if (!isImage && !isBackground) return look;
  auto pictureFor = [&](unsigned state) {
    return isImage ? button->imageForState(state) : button->backgroundImageForState(state);
  };
  // The state shows the normal picture: the state has none of its own.
  bool borrowed = pictureFor(button->state()) == pictureFor(ControlState::Normal);
  if (button->isHighlighted() && button->adjustsImageWhenHighlighted() && borrowed) look.darken = true;
  if (!button->isEnabled() && button->adjustsImageWhenDisabled() && borrowed) look.alpha = kDisabledImageAlpha;
  return look;
}

// The shown picture (the highlighted one while highlighted) placed by the content mode.
void paintImageView(PaintContext& context, const View& view, const Rect& bounds) {
  auto* imageView = dynamic_cast<const ImageView*>(&view);
  if (!imageView) return;
  auto image = imageView->displayedImage();
  if (!image) return;
  ButtonPictureLook look = buttonLookFor(view);
  cairo_t* cr = context.cr;
  if (!look.darken) {
    drawImageInBounds(context, *image, bounds, view.contentMode(), look.alpha);
    return;
  }
  cairo_push_group(cr);
  drawImageInBounds(context, *image, bounds, view.contentMode());
  // Black over the picture's own pixels only.
  cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
  cairo_set_source_rgba(cr, 0, 0, 0, kHighlightedImageShade);
  cairo_paint(cr);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, look.alpha);
}

// ---- Button ----

// A button's background, picture and title are its subviews (laid out by its
// own rectangle methods) and draw themselves; the button adds the glow of a
// touch where it shows one.
void paintButton(PaintContext& context, const View& view, const Rect& bounds) {
  auto* button = dynamic_cast<const Button*>(&view);
  if (!button || !button->isHighlighted() || !button->showsTouchWhenHighlighted()) return;
  cairo_t* cr = context.cr;
  double cx = bounds.midX(), cy = bounds.midY();
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, kTouchGlowRadius);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, 0.9);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0);
  cairo_save(cr);
  cairo_set_source(cr, glow);
  cairo_arc(cr, cx, cy, kTouchGlowRadius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_pattern_destroy(glow);
}

// ---- TextField ----

void paintTextField(PaintContext& context, const View& view, const Rect& bounds) {
  auto* field = dynamic_cast<const TextField*>(&view);
  if (!field) return;
  ClipTo clip(context.cr, bounds);
  if (field->showsPlaceholder()) {
    if (auto drawing = field->placeholderDrawing()) {
      const Rect& r = drawing->rect;
      std::string shown = TextMetrics::truncate(field->placeholder(), drawing->font, r.width(),
                                                LineBreakMode::TruncateTail);
      double width = TextMetrics::lineWidth(shown, drawing->font);
      ClipTo inside(context.cr, r);
      drawTextLine(context, shown, drawing->font, drawing->color,
                   {alignedX(field->textAlignment(), r, width), r.y() + (r.height() - drawing->font.lineHeight()) / 2});
    }
  } else if (!field->text().empty()) {
    Rect r = field->isEditing() ? field->editingRectForBounds(field->bounds()) : field->textRectForBounds(field->bounds());
    Font font = field->displayedFont();
    std::string shown = field->displayedText();
    double width = TextMetrics::lineWidth(shown, font);
    double x = alignedX(field->textAlignment(), r, width);
    if (width > r.width()) {
      // Too long: while editing the end shows (where typing goes); otherwise the tail is cut with "…".
      if (field->isEditing()) {
        x = r.maxX() - width;
      } else {
        shown = TextMetrics::truncate(shown, font, r.width(), LineBreakMode::TruncateTail);
        x = r.x();
      }
    }
    ClipTo inside(context.cr, r);
    drawTextLine(context, shown, font, field->textColor(), {x, r.y() + (r.height() - font.lineHeight()) / 2});
  }
  // The cursor while the field is first responder (steady: pictures must not depend on a blink).
  if (field->isEditing()) fillRoundedRect(context, field->caretRect(), 0, Button::systemTintColor());
}

// ---- TextView ----

// The wrapped lines from the top of the text rectangle (content coordinates:
// they scroll with the view), and the cursor while editing.
void paintTextView(PaintContext& context, const View& view, const Rect& bounds) {
  auto* textView = dynamic_cast<const TextView*>(&view);
  if (!textView) return;
  ClipTo clip(context.cr, bounds);
  Rect r = textView->textRect();
  const Font& font = textView->font();
  double lineHeight = font.lineHeight();
  double y = r.y();
  for (auto& line : textView->displayedLines()) {
    if (y > bounds.maxY()) break;
    if (y + lineHeight >= bounds.y()) {
      double width = TextMetrics::lineWidth(line, font);
      drawTextLine(context, line, font, textView->textColor(), {alignedX(textView->textAlignment(), r, width), y});
    }
    y += lineHeight;
  }
  if (textView->isEditing()) fillRoundedRect(context, textView->caretRect(), 0, Button::systemTintColor());
}

// ---- Switch ----

// A rounded track (outlined when off, filled with the on colour when on) and
// a round thumb where it is at the moment drawn, so a slide is seen moving.
void paintSwitch(PaintContext& context, const View& view, const Rect& bounds) {
  auto* control = dynamic_cast<const Switch*>(&view);
  if (!control) return;
  double position = std::clamp(control->thumbPosition(context.time), 0.0, 1.0);
  if (!std::isfinite(position)) position = control->isOn() ? 1 : 0;
  cairo_t* cr = context.cr;
  bool faded = !control->isEnabled();
  if (faded) cairo_push_group(cr);
  double radius = bounds.height() / 2;
  constexpr double kOutline = 1.5;
  fillRoundedRect(context, bounds, radius, control->tintColor());
  // The white inside of the off track shrinks away as the thumb goes over.
  double inside = 1 - position;
  if (inside > 0) {
    Rect hole = bounds.insetBy(kOutline, kOutline);
    Rect shrunk = hole.insetBy(hole.width() / 2 * (1 - inside), hole.height() / 2 * (1 - inside));
    fillRoundedRect(context, shrunk, shrunk.height() / 2, Color::white());
  }
  if (position > 0) fillRoundedRect(context, bounds, radius, dimmed(control->onTintColor(), position));
  double thumb = bounds.height() - 2 * kOutline;
  Rect knob{bounds.x() + kOutline + (bounds.width() - thumb - 2 * kOutline) * position, bounds.y() + kOutline, thumb,
            thumb};
  fillRoundedRect(context, knob.offsetBy(0, 1), thumb / 2, Color::black().withAlpha(0.12));
  fillRoundedRect(context, knob, thumb / 2, control->thumbTintColor());
  strokeRoundedRect(context, knob.insetBy(0.25, 0.25), thumb / 2, 0.5, Color::black().withAlpha(0.15));
  if (faded) {
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, kDisabledTextAlpha);
  }
}

// ---- ActivityIndicatorView ----

// Twelve spokes, the one at twelve o'clock darkest and the others fading
// behind it; the turning is the layer's rotation, drawn like any transform.
void paintActivityIndicator(PaintContext& context, const View& view, const Rect& bounds) {
  auto* spinner = dynamic_cast<const ActivityIndicatorView*>(&view);
  if (!spinner) return;
  cairo_t* cr = context.cr;
  double cx = bounds.midX(), cy = bounds.midY();
  double outer = std::min(bounds.width(), bounds.height()) / 2;
  if (!(outer > 0)) return;
  double inner = outer * 0.5;
  bool large = spinner->activityIndicatorViewStyle() == ActivityIndicatorViewStyle::WhiteLarge;
  Color c = spinner->color();
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, large ? 3.5 : 2);
  for (int i = 0; i < kSpokes; ++i) {
    // Clockwise from twelve o'clock; the fading tail trails the darkest spoke.
    double angle = -M_PI / 2 - i * 2 * M_PI / kSpokes;
    double share = 1.0 - 0.75 * i / (kSpokes - 1);
    cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha * share);
    double end = outer - cairo_get_line_width(cr) / 2;
    cairo_move_to(cr, cx + inner * std::cos(angle), cy + inner * std::sin(angle));
    cairo_line_to(cr, cx + end * std::cos(angle), cy + end * std::sin(angle));
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

// ---- PageControl ----

// A dot per page where the control lays them out, the shown page's in the current colour.
void paintPageControl(PaintContext& context, const View& view, const Rect&) {
  auto* dots = dynamic_cast<const PageControl*>(&view);
  if (!dots) return;
  for (int i = 0; i < dots->numberOfPages(); ++i) {
    Rect r = dots->dotRect(i);
    fillRoundedRect(context, r, r.width() / 2,
                    i == dots->displayedPage() ? dots->currentPageIndicatorTintColor() : dots->pageIndicatorTintColor());
  }
}

}  // namespace

void registerControlPainters() {
  // Subclasses before their bases (none of these derive from another).
  registerPainterForType<TextField>(paintTextField);
  registerPainterForType<TextView>(paintTextView);
  registerPainterForType<Button>(paintButton);
  registerPainterForType<Label>(paintLabel);
  registerPainterForType<LinkLabel>(paintLinkLabel);  // and the emoji label
  registerPainterForType<TagRichTextLabel>(paintTagRichTextLabel);
  registerPainterForType<ImageView>(paintImageView);
  registerPainterForType<Switch>(paintSwitch);
  registerPainterForType<PageControl>(paintPageControl);
  registerPainterForType<ActivityIndicatorView>(paintActivityIndicator);
}

}  // namespace platform::render
