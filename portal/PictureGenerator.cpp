#include "portal/PictureGenerator.h"

#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace vorn::portal {
namespace {

struct Rgb {
  std::uint8_t r, g, b;
};

std::uint32_t seedHash(const std::string& seed) {
  std::uint32_t h = 2166136261u;  // FNV-1a
  for (unsigned char c : seed) {
    h ^= c;
    h *= 16777619u;
  }
  return h;
}

Rgb hueColour(std::uint32_t hash, double lightness) {
  double hue = (hash % 360) / 60.0;
  double x = 1.0 - std::fabs(std::fmod(hue, 2.0) - 1.0);
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(hue)) {
    case 0: r = 1; g = x; break;
    case 1: r = x; g = 1; break;
    case 2: g = 1; b = x; break;
    case 3: g = x; b = 1; break;
    case 4: r = x; b = 1; break;
    default: r = 1; b = x; break;
  }
  auto channel = [&](double c) {
    return static_cast<std::uint8_t>(40 + c * 170 * lightness);
  };
  return {channel(r), channel(g), channel(b)};
}

// Diagonal bands of two shades of the seed's colour: easy to tell apart by eye,
// and not a flat colour (so encoders do real work).
std::vector<std::uint8_t> pixels(int width, int height, const std::string& seed) {
  std::uint32_t hash = seedHash(seed);
  Rgb dark = hueColour(hash, 0.7);
  Rgb light = hueColour(hash, 1.0);
  int band = 8 + static_cast<int>((hash >> 9) % 24);
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  std::size_t i = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& c = ((x + y) / band) % 2 ? light : dark;
      rgb[i++] = c.r;
      rgb[i++] = c.g;
      rgb[i++] = c.b;
    }
  }
  return rgb;
}

bool parseSide(const std::string& text, int& out) {
  if (text.empty() || text.size() > 5) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > kMaxPictureSide) return false;
  out = value;
  return true;
}

void appendPng(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}

void flushPng(png_structp) {}

}  // namespace

bool PictureGenerator::isPicturePath(const std::string& path) {
  return path.rfind(kPicturePathPrefix, 0) == 0;
}

std::optional<PictureRequest> PictureGenerator::parse(const std::string& path) {
  if (!isPicturePath(path)) return std::nullopt;
  std::string rest = path.substr(std::strlen(kPicturePathPrefix));
  auto slash = rest.find('/');
  if (slash == std::string::npos) return std::nullopt;
  std::string size = rest.substr(0, slash);
  std::string name = rest.substr(slash + 1);
  auto cross = size.find('x');
  if (cross == std::string::npos) return std::nullopt;
  PictureRequest request;
  if (!parseSide(size.substr(0, cross), request.width) ||
      !parseSide(size.substr(cross + 1), request.height)) {
    return std::nullopt;
  }
  auto dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0 || name.find('/') != std::string::npos) {
    return std::nullopt;
  }
  std::string ext = name.substr(dot + 1);
  if (ext == "png") {
    request.png = true;
  } else if (ext != "jpg" && ext != "jpeg") {
    return std::nullopt;
  }
  request.seed = name.substr(0, dot);
  return request;
}

std::string PictureGenerator::jpeg(int width, int height, const std::string& seed) {
  std::vector<std::uint8_t> rgb = pixels(width, height, seed);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 85, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = &rgb[static_cast<std::size_t>(cinfo.next_scanline) * width * 3];
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return out;
}

std::string PictureGenerator::png(int width, int height, const std::string& seed) {
  std::vector<std::uint8_t> rgb = pixels(width, height, seed);
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return {};
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return {};
  }
  png_set_write_fn(png, &out, appendPng, flushPng);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    png_write_row(png, &rgb[static_cast<std::size_t>(y) * width * 3]);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::string PictureGenerator::make(const PictureRequest& request) {
  return request.png ? png(request.width, request.height, request.seed)
                     : jpeg(request.width, request.height, request.seed);
}

const char* PictureGenerator::contentType(const PictureRequest& request) {
  return request.png ? "image/png" : "image/jpeg";
}

}  // namespace vorn::portal
