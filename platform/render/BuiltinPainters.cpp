#include "platform/render/BuiltinPainters.h"

#include <cairo.h>

#include <cctype>
#include <cmath>
#include <mutex>
#include <string>
#include <vector>

#include "platform/render/TextPainter.h"
#include "platform/ui/AnnotationView.h"
#include "platform/ui/HtmlScan.h"
#include "platform/ui/MapView.h"
#include "platform/ui/View.h"
#include "platform/ui/WebView.h"

namespace platform::render {
namespace {

constexpr double kGenericTextSize = 17;
constexpr double kNoticeTextSize = 15;
constexpr double kPageTextSize = 14;
constexpr double kPageMargin = 8;
constexpr double kMapGridSpacing = 40;

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
    drawTextBlock(context, label, Font::systemFont(size), Color::black(), cap, TextAlignment::Center, 1);
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

// Lines of alerts, sheets and callouts: centred.
void paintNoticeText(PaintContext& context, const View& view, const Rect& bounds) {
  drawTextBlock(context, view.automationText(), Font::systemFont(kNoticeTextSize), inkFor(view), bounds,
                TextAlignment::Center, 0);
}

bool isBlockTag(const std::string& name) {
  static const char* const tags[] = {"p", "br", "div", "li", "ul", "ol", "tr", "table", "h1", "h2", "h3",
                                     "h4", "h5", "h6", "section", "article", "header", "footer", "hr"};
  for (auto* t : tags)
    if (name == t) return true;
  return false;
}

// The readable text of a page body: paragraphs of runs, links marked; scripts,
// styles and tags left out, spaces collapsed.
std::vector<std::vector<TextRun>> pageParagraphs(const std::string& body) {
  std::vector<std::vector<TextRun>> paragraphs(1);
  bool inLink = false;
  std::string pending;
  auto flushText = [&] {
    std::string text = decodeHtmlEntities(pending);
    pending.clear();
    std::string collapsed;
    for (char c : text) {
      bool space = c == ' ' || c == '\n' || c == '\r' || c == '\t';
      if (space && (collapsed.empty() || collapsed.back() == ' ')) continue;
      collapsed += space ? ' ' : c;
    }
    if (collapsed.empty()) return;
    auto& runs = paragraphs.back();
    if (!runs.empty() && runs.back().link == inLink) runs.back().text += collapsed;
    else runs.push_back({collapsed, inLink});
  };
  auto newParagraph = [&] {
    if (!paragraphs.back().empty()) paragraphs.emplace_back();
  };
  std::size_t i = 0;
  while (i < body.size()) {
    if (body[i] != '<') {
      pending += body[i++];
      continue;
    }
    std::size_t end = body.find('>', i);
    if (end == std::string::npos) break;
    std::string tag = body.substr(i + 1, end - i - 1);
    bool closing = !tag.empty() && tag[0] == '/';
    std::string name;
    for (std::size_t k = closing ? 1 : 0; k < tag.size() && std::isalnum(static_cast<unsigned char>(tag[k])); ++k)
      name += static_cast<char>(std::tolower(static_cast<unsigned char>(tag[k])));
    flushText();
    i = end + 1;
    if (!closing && (name == "script" || name == "style")) {
      std::size_t close = body.find("</" + name, i);
      i = close == std::string::npos ? body.size() : body.find('>', close) + 1;
      if (i == 0) i = body.size();
      continue;
    }
    if (name == "a") inLink = !closing;
    else if (isBlockTag(name)) newParagraph();
  }
  flushText();
  if (paragraphs.back().empty()) paragraphs.pop_back();
  return paragraphs;
}

// A web view: the page's text and links, plainly, scrolled with its scroll view.
void paintWebView(PaintContext& context, const View& view, const Rect& bounds) {
  auto* webView = dynamic_cast<const WebView*>(&view);
  if (!webView || !webView->hasLoadedPage()) return;
  auto& web = *webView;
  fillRoundedRect(context, bounds, 0, Color::white());
  double scrolled = web.scrollView() ? web.scrollView()->bounds().y() : 0;
  Font font = Font::systemFont(kPageTextSize);
  double y = bounds.y() + kPageMargin - scrolled;
  const HtmlPage& page = web.page();
  if (!page.title.empty()) {
    Font titleFont = Font::boldSystemFont(kPageTextSize + 3);
    y += drawRichText(context, {{page.title, false}}, titleFont, Color::black(), {bounds.x() + kPageMargin, y},
                      bounds.width() - 2 * kPageMargin) + kPageMargin;
  }
  for (auto& paragraph : pageParagraphs(page.bodyInner)) {
    if (y > bounds.maxY()) break;
    y += drawRichText(context, paragraph, font, Color::rgb255(34, 34, 34), {bounds.x() + kPageMargin, y},
                      bounds.width() - 2 * kPageMargin) + kPageMargin / 2;
  }
}

// A map: a plain grid that moves with the region's centre; the pins are subviews.
void paintMapView(PaintContext& context, const View& view, const Rect& bounds) {
  auto* mapView = dynamic_cast<const MapView*>(&view);
  if (!mapView) return;
  auto& map = *mapView;
  fillRoundedRect(context, bounds, 0, Color::rgb255(236, 232, 223));
  auto region = map.region();
  double shiftX = 0, shiftY = 0;
  if (region.span.longitudeDelta > 0 && region.span.latitudeDelta > 0) {
    shiftX = std::fmod(-region.center.longitude / region.span.longitudeDelta * bounds.width(), kMapGridSpacing);
    shiftY = std::fmod(region.center.latitude / region.span.latitudeDelta * bounds.height(), kMapGridSpacing);
  }
  if (!std::isfinite(shiftX) || !std::isfinite(shiftY)) shiftX = shiftY = 0;
  cairo_t* cr = context.cr;
  cairo_set_source_rgba(cr, 0.75, 0.73, 0.68, 1);
  cairo_set_line_width(cr, 1);
  for (double x = bounds.x() + shiftX; x < bounds.maxX(); x += kMapGridSpacing) {
    cairo_move_to(cr, x, bounds.y());
    cairo_line_to(cr, x, bounds.maxY());
  }
  for (double y = bounds.y() + shiftY; y < bounds.maxY(); y += kMapGridSpacing) {
    cairo_move_to(cr, bounds.x(), y);
    cairo_line_to(cr, bounds.maxX(), y);
  }
  cairo_stroke(cr);
}

// A pin: a coloured head on a needle whose tip is the bottom centre.
void paintPin(PaintContext& context, const View& view, const Rect& bounds) {
  auto* pinView = dynamic_cast<const PinAnnotationView*>(&view);
  if (!pinView) return;
  auto& pin = *pinView;
  Color head = pin.pinColor() == PinAnnotationColor::Green    ? Color::rgb255(60, 180, 60)
               : pin.pinColor() == PinAnnotationColor::Purple ? Color::rgb255(150, 70, 200)
                                                              : Color::rgb255(220, 40, 40);
  double cx = bounds.midX(), radius = std::min(bounds.width(), bounds.height()) / 4;
  cairo_t* cr = context.cr;
  cairo_set_source_rgba(cr, 0.3, 0.3, 0.3, 1);
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, cx, bounds.y() + radius * 2);
  cairo_line_to(cr, cx, bounds.maxY());
  cairo_stroke(cr);
  fillRoundedRect(context, {cx - radius, bounds.y() + 1, radius * 2, radius * 2}, radius, head);
}

}  // namespace

void registerBuiltinPainters() {
  static std::once_flag once;
  std::call_once(once, [] {
    registerPainter("Keyboard", paintKeyboard);
    registerPainter("NoticeText", paintNoticeText);
    registerPainter("WebView", paintWebView);
    registerPainter("MapView", paintMapView);
    registerPainter("PinAnnotationView", paintPin);
    registerControlPainters();
  });
}

void paintGenericContent(PaintContext& context, const View& view, const Rect& bounds) {
  std::string text = view.automationText();
  if (text.empty()) return;
  drawTextBlock(context, text, Font::systemFont(kGenericTextSize), inkFor(view), bounds, TextAlignment::Left, 0);
}

}  // namespace platform::render
