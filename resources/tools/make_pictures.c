/* Draws the stand-in pictures of the application's resources (share tiles,
 * launch logo and default launch pictures, web page toolbar buttons, icon) into
 * resources/images. Run from the repository root:
 *   cc resources/tools/make_pictures.c $(pkg-config --cflags --libs pangocairo libjpeg) -lm -o /tmp/mkpics
 *   /tmp/mkpics resources/images
 */
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <math.h>

#include <cairo.h>
#include <jpeglib.h>
#include <pango/pangocairo.h>

static const char *dir;

static void rgb(cairo_t *cr, int r, int g, int b) { cairo_set_source_rgb(cr, r / 255.0, g / 255.0, b / 255.0); }

static void text(cairo_t *cr, const char *s, double size, double cx, double cy) {
  PangoLayout *layout = pango_cairo_create_layout(cr);
  char font[64];
  snprintf(font, sizeof font, "WenQuanYi Micro Hei %g", size);
  PangoFontDescription *desc = pango_font_description_from_string(font);
  pango_layout_set_font_description(layout, desc);
  pango_layout_set_text(layout, s, -1);
  int w, h;
  pango_layout_get_pixel_size(layout, &w, &h);
  cairo_move_to(cr, cx - w / 2.0, cy - h / 2.0);
  pango_cairo_show_layout(cr, layout);
  pango_font_description_free(desc);
  g_object_unref(layout);
}

static void rounded(cairo_t *cr, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, w - r, r, r, -M_PI / 2, 0);
  cairo_arc(cr, w - r, h - r, r, 0, M_PI / 2);
  cairo_arc(cr, r, h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, r, r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

static void save_png(cairo_surface_t *s, const char *name) {
  char path[512];
  snprintf(path, sizeof path, "%s/%s", dir, name);
  cairo_surface_write_to_png(s, path);
}

static void save_jpeg(cairo_surface_t *s, const char *name) {
  char path[512];
  snprintf(path, sizeof path, "%s/%s", dir, name);
  FILE *f = fopen(path, "wb");
  if (!f) exit(1);
  cairo_surface_flush(s);
  int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
  int stride = cairo_image_surface_get_stride(s);
  unsigned char *data = cairo_image_surface_get_data(s);
  struct jpeg_compress_struct c;
  struct jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = w;
  c.image_height = h;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 85, TRUE);
  jpeg_start_compress(&c, TRUE);
  unsigned char *row = malloc(w * 3);
  while (c.next_scanline < c.image_height) {
    unsigned int *px = (unsigned int *)(data + c.next_scanline * stride);
    for (int x = 0; x < w; ++x) {
      row[3 * x] = (px[x] >> 16) & 255;
      row[3 * x + 1] = (px[x] >> 8) & 255;
      row[3 * x + 2] = px[x] & 255;
    }
    JSAMPROW r = row;
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  free(row);
  fclose(f);
}

static cairo_surface_t *surface(int w, int h, cairo_t **cr) {
  cairo_surface_t *s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  *cr = cairo_create(s);
  return s;
}

static void tile(const char *name, int r, int g, int b, const char *glyph) {
  cairo_t *cr;
  cairo_surface_t *s = surface(120, 120, &cr);
  rounded(cr, 120, 120, 26);
  rgb(cr, r, g, b);
  cairo_fill(cr);
  rgb(cr, 255, 255, 255);
  text(cr, glyph, 40, 60, 60);
  save_png(s, name);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
}

static void boot(const char *name, int r1, int g1, int b1, const char *line) {
  cairo_t *cr;
  cairo_surface_t *s = surface(640, 916, &cr);
  cairo_pattern_t *p = cairo_pattern_create_linear(0, 0, 0, 916);
  cairo_pattern_add_color_stop_rgb(p, 0, r1 / 255.0, g1 / 255.0, b1 / 255.0);
  cairo_pattern_add_color_stop_rgb(p, 1, 236 / 255.0, 236 / 255.0, 236 / 255.0);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  rgb(cr, 255, 255, 255);
  text(cr, "沃恩汽车", 52, 320, 360);
  text(cr, line, 24, 320, 450);
  save_jpeg(s, name);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
}

static void guide(const char *name, int h) {
  cairo_t *cr;
  cairo_surface_t *s = surface(640, h, &cr);
  rgb(cr, 255, 255, 255);
  cairo_paint(cr);
  rgb(cr, 53, 160, 217);
  cairo_arc(cr, 320, h * 0.36, 150, 0, 2 * M_PI);
  cairo_fill(cr);
  rgb(cr, 255, 255, 255);
  text(cr, "5.1", 60, 320, h * 0.36);
  rgb(cr, 51, 51, 51);
  text(cr, "全新版本", 36, 320, h * 0.62);
  rgb(cr, 136, 136, 136);
  text(cr, "资讯、论坛、选车，一触即达", 22, 320, h * 0.62 + 70);
  text(cr, "轻触任意处开始", 18, 320, h - 90);
  save_png(s, name);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
}

static void button(const char *name, int w, int h, int r, int g, int b, int kind) {
  cairo_t *cr;
  cairo_surface_t *s = surface(w, h, &cr);
  rgb(cr, r, g, b);
  cairo_set_line_width(cr, 6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  double cx = w / 2.0, cy = h / 2.0;
  switch (kind) {
    case 0: /* back */
      cairo_move_to(cr, cx + 10, cy - 20); cairo_line_to(cr, cx - 10, cy); cairo_line_to(cr, cx + 10, cy + 20);
      cairo_stroke(cr); break;
    case 1: /* forward */
      cairo_move_to(cr, cx - 10, cy - 20); cairo_line_to(cr, cx + 10, cy); cairo_line_to(cr, cx - 10, cy + 20);
      cairo_stroke(cr); break;
    case 2: /* refresh */
      cairo_arc(cr, cx, cy, 18, -M_PI / 3, 3 * M_PI / 2); cairo_stroke(cr);
      cairo_move_to(cr, cx + 4, cy - 26); cairo_line_to(cr, cx + 10, cy - 16); cairo_line_to(cr, cx - 2, cy - 12);
      cairo_stroke(cr); break;
    case 3: /* more */
      for (int i = -1; i <= 1; ++i) { cairo_arc(cr, cx + i * 18, cy, 5, 0, 2 * M_PI); cairo_fill(cr); }
      break;
    case 4: /* share */
      cairo_set_line_width(cr, 4);
      cairo_arc(cr, cx - 14, cy, 7, 0, 2 * M_PI); cairo_stroke(cr);
      cairo_arc(cr, cx + 14, cy - 14, 7, 0, 2 * M_PI); cairo_stroke(cr);
      cairo_arc(cr, cx + 14, cy + 14, 7, 0, 2 * M_PI); cairo_stroke(cr);
      cairo_move_to(cr, cx - 8, cy - 3); cairo_line_to(cr, cx + 8, cy - 11); cairo_stroke(cr);
      cairo_move_to(cr, cx - 8, cy + 3); cairo_line_to(cr, cx + 8, cy + 11); cairo_stroke(cr);
      break;
  }
  save_png(s, name);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
}

int main(int argc, char **argv) {
  dir = argc > 1 ? argv[1] : "resources/images";
  tile("share_xl@2x.png", 230, 22, 45, "微博");
  tile("share_wx@2x.png", 45, 193, 0, "好友");
  tile("share_fr@2x.png", 52, 176, 74, "朋友圈");

  cairo_t *cr;
  cairo_surface_t *s = surface(72, 72, &cr);
  rounded(cr, 72, 72, 14);
  rgb(cr, 53, 160, 217);
  cairo_fill(cr);
  rgb(cr, 255, 255, 255);
  text(cr, "沃恩", 18, 36, 36);
  save_png(s, "Icon-72.png");
  cairo_destroy(cr);
  cairo_surface_destroy(s);

  s = surface(570, 80, &cr);
  rgb(cr, 53, 160, 217);
  text(cr, "沃恩汽车 · 看车选车聊车", 30, 285, 40);
  save_png(s, "Begin_Logo@2x.png");
  cairo_destroy(cr);
  cairo_surface_destroy(s);

  boot("defaultBoot1@2x.jpg", 53, 160, 217, "看车 · 选车 · 聊车");
  boot("defaultBoot2@2x.jpg", 61, 132, 170, "您身边的汽车顾问");

  guide("newBg@2x.png", 1136);
  guide("newBg_960@2x.png", 960);

  button("News_Details_Btn_Back@2x.png", 100, 100, 255, 255, 255, 0);
  button("News_Details_Btn_Share@2x.png", 80, 80, 255, 255, 255, 4);
  button("Register_Btn_Last@2x.png", 160, 100, 136, 136, 136, 0);
  button("Register_Btn_Next@2x.png", 160, 100, 136, 136, 136, 1);
  button("Register_Btn_Fresh@2x.png", 160, 100, 136, 136, 136, 2);
  button("Register_Btn_More@2x.png", 160, 100, 136, 136, 136, 3);
  return 0;
}
