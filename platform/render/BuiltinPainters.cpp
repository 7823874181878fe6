#include "platform/render/BuiltinPainters.h"

#include <mutex>
#include <string>

#include "platform/render/TextPainter.h"
#include "platform/ui/View.h"

namespace platform::render {
namespace {

constexpr double kGenericTextSize = 17;

// The keyboard: a plain panel of key caps, three letter rows and a space bar.
void paintKeyboard(PaintContext& context, const View&, const Rect& bounds) {
  static const char* const rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  constexpr char kSpaceLabel[] = "space";
  constexpr char kReturnLabel[] = "return";
  fillRoundedRect(context, bounds, 0, Color::rgb255(209, 213, 219));
  double rowHeight = bounds.height() / 4;
  double keyWidth = bounds.width() / 10;
  auto key = [&](const Rect& r, const std::string& label, double size) {
    Rect cap = r.insetBy(3, 5);
    fillRoundedRect(context, cap, 5, Color::white());
    double w = measureTextLine(label, size, false);
    drawTextLine(context, label, size, false, Color::black(),
                 {cap.midX() - w / 2, cap.midY() - lineHeightFor(size) / 2});
  };
  for (int row = 0; row < 3; ++row) {
    std::string letters = rows[row];
    double inset = (bounds.width() - keyWidth * static_cast<double>(letters.size())) / 2;
    for (std::size_t i = 0; i < letters.size(); ++i)
      key({bounds.x() + inset + keyWidth * static_cast<double>(i), bounds.y() + rowHeight * row, keyWidth, rowHeight},
          std::string(1, letters[i]), 18);
  }
  double bottom = bounds.y() + rowHeight * 3;
  key({bounds.x() + keyWidth * 2.5, bottom, keyWidth * 5, rowHeight}, kSpaceLabel, 14);
  key({bounds.x() + keyWidth * 7.5, bottom, keyWidth * 2.5, rowHeight}, kReturnLabel, 14);
}

}  // namespace

void registerBuiltinPainters() {
  static std::once_flag once;
  std::call_once(once, [] { registerPainter("Keyboard", paintKeyboard); });
}

void paintGenericContent(PaintContext& context, const View& view, const Rect& bounds) {
  std::string text = view.automationText();
  if (text.empty()) return;
  drawTextBlock(context, text, kGenericTextSize, false, Color::rgb255(34, 34, 34), bounds, TextAlignment::Left, 0);
}

}  // namespace platform::render
