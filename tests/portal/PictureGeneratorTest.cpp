// Generated pictures are real, decodable JPEG and PNG files of the size asked
// for, served with the right content type; bad names and sizes are refused.
#include <gtest/gtest.h>
#include <httplib.h>

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>
#include <png.h>

#include "portal/DemoPortal.h"
#include "portal/PictureGenerator.h"

namespace vorn::portal {
namespace {

struct Decoded {
  bool ok = false;
  int width = 0;
  int height = 0;
};

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

void onJpegError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

// Decodes every scanline, so a truncated or corrupt file fails.
Decoded decodeJpeg(const std::string& bytes) {
  Decoded d;
  jpeg_decompress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = onJpegError;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return Decoded{};
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  std::vector<unsigned char> row(static_cast<std::size_t>(cinfo.output_width) * cinfo.output_components);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW rows[] = {row.data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
  }
  d.width = static_cast<int>(cinfo.output_width);
  d.height = static_cast<int>(cinfo.output_height);
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  d.ok = true;
  return d;
}

Decoded decodePng(const std::string& bytes) {
  Decoded d;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return d;
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return d;
  }
  d.ok = true;
  d.width = static_cast<int>(image.width);
  d.height = static_cast<int>(image.height);
  return d;
}

class PictureGeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(portal_.start()); }
  httplib::Result get(const std::string& target) {
    httplib::Client c("127.0.0.1", portal_.port());
    c.set_url_encode(false);
    return c.Get(target.c_str());
  }
  DemoPortal portal_;
};

TEST_F(PictureGeneratorTest, ServesDecodablePicturesOfTheAskedSize) {
  struct Case {
    const char* target;
    bool png;
    int width;
    int height;
  };
  const Case cases[] = {
      {"/pic/320x160/focus-1.jpg", false, 320, 160},
      {"/pic/320x160/focus-1.jpeg", false, 320, 160},
      {"/pic/640x916/launch-advert.jpg", false, 640, 916},
      {"/pic/1x1/a.jpg", false, 1, 1},
      {"/pic/2000x3/wide.jpg", false, 2000, 3},
      {"/pic/120x120/button.png", true, 120, 120},
      {"/pic/1x1/a.png", true, 1, 1},
      {"/pic/7x2000/tall.png", true, 7, 2000},
      {"/pic/33x17/%E6%96%B0%E8%BD%A6.png", true, 33, 17},
  };
  for (const auto& tc : cases) {
    auto res = get(tc.target);
    ASSERT_TRUE(res) << tc.target;
    EXPECT_EQ(res->status, 200) << tc.target;
    const std::string& body = res->body;
    if (tc.png) {
      EXPECT_EQ(res->get_header_value("Content-Type"), "image/png");
      EXPECT_EQ(body.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << tc.target;
    } else {
      EXPECT_EQ(res->get_header_value("Content-Type"), "image/jpeg");
      EXPECT_EQ(body.substr(0, 3), "\xFF\xD8\xFF") << tc.target;
    }
    Decoded d = tc.png ? decodePng(body) : decodeJpeg(body);
    EXPECT_TRUE(d.ok) << tc.target;
    EXPECT_EQ(d.width, tc.width) << tc.target;
    EXPECT_EQ(d.height, tc.height) << tc.target;
  }
}

TEST_F(PictureGeneratorTest, SameSeedGivesTheSamePictureOtherSeedsDiffer) {
  auto a1 = get("/pic/64x48/alpha.png");
  auto a2 = get("/pic/64x48/alpha.png");
  auto b = get("/pic/64x48/beta.png");
  ASSERT_TRUE(a1 && a2 && b);
  EXPECT_EQ(a1->body, a2->body);
  EXPECT_NE(a1->body, b->body);
}

TEST_F(PictureGeneratorTest, MalformedNamesAndSizesAreRefused) {
  for (const char* target :
       {"/pic/0x10/a.jpg", "/pic/10x0/a.jpg", "/pic/2001x10/a.jpg", "/pic/10x2001/a.png",
        "/pic/99999999999x10/a.jpg", "/pic/-5x10/a.jpg", "/pic/10x/a.jpg", "/pic/x10/a.jpg",
        "/pic/abcxdef/a.jpg", "/pic/10x10/a.gif", "/pic/10x10/a", "/pic/10x10/.jpg",
        "/pic/10x10", "/pic/", "/pic/10x10/a/b.jpg"}) {
    auto res = get(target);
    ASSERT_TRUE(res) << target;
    EXPECT_EQ(res->status, 400) << target;
    EXPECT_EQ(res->get_header_value("Content-Type"), "text/plain; charset=utf-8") << target;
  }
}

TEST(PictureGeneratorParse, ReadsSizeSeedAndKind) {
  auto p = PictureGenerator::parse("/pic/320x160/news-1024581.jpg");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 320);
  EXPECT_EQ(p->height, 160);
  EXPECT_EQ(p->seed, "news-1024581");
  EXPECT_FALSE(p->png);
  auto q = PictureGenerator::parse("/pic/2000x2000/a.b.png");
  ASSERT_TRUE(q);
  EXPECT_EQ(q->seed, "a.b");
  EXPECT_TRUE(q->png);
  EXPECT_FALSE(PictureGenerator::parse("/picture/10x10/a.jpg"));
}

}  // namespace
}  // namespace vorn::portal
