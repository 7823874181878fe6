// The metrics model's advance table agrees with the font the renderer draws
// with, so laid-out text and drawn text line up.
#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <string>

#include "platform/render/Renderer.h"
#include "platform/ui/TextMetricsTable.h"

namespace platform::render::testing {
namespace {

int fontAdvanceUnits(const std::string& text) {
  static PangoContext* context = [] {
    PangoContext* c = pango_font_map_create_context(pango_cairo_font_map_get_default());
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(c, fo);
    cairo_font_options_destroy(fo);
    return c;
  }();
  PangoLayout* layout = pango_layout_new(context);
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, kRenderFontFamily);
  pango_font_description_set_absolute_size(desc, metrics::kUnitsPerEm * PANGO_SCALE);
  pango_layout_set_font_description(layout, desc);
  pango_font_description_free(desc);
  pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  g_object_unref(layout);
  return static_cast<int>(std::lround(static_cast<double>(logical.width) / PANGO_SCALE));
}

TEST(TextMetricsFontTest, AsciiAdvancesAreTheRenderFontsOwn) {
  for (int c = 0x20; c < 0x7F; ++c) {
    SCOPED_TRACE(std::string(1, static_cast<char>(c)));
    EXPECT_NEAR(fontAdvanceUnits(std::string(1, static_cast<char>(c))), metrics::kAsciiAdvance[c - 0x20], 1);
  }
}

TEST(TextMetricsFontTest, ChineseCharactersAreOneEmWide) {
  for (const char* text : {"汽", "车", "，", "。"}) {
    SCOPED_TRACE(text);
    EXPECT_NEAR(fontAdvanceUnits(text), metrics::kWideAdvance, 1);
  }
}

}  // namespace
}  // namespace platform::render::testing
