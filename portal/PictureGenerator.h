#pragma once
// Pictures made on the fly, so fixtures can point at pictures that load:
// /pic/<W>x<H>/<seed>.jpg and .png give a real JPEG or PNG of that size whose
// colours follow from the seed (the same seed always gives the same picture).
#include <optional>
#include <string>

namespace vorn::portal {

struct PictureRequest {
  int width = 0;
  int height = 0;
  std::string seed;
  bool png = false;  // else JPEG
};

inline constexpr char kPicturePathPrefix[] = "/pic/";
inline constexpr int kMaxPictureSide = 2000;

class PictureGenerator {
 public:
  // Whether `path` names a picture at all (starts with the prefix).
  static bool isPicturePath(const std::string& path);
  // Parses "/pic/320x160/abc.jpg"; nullopt for a malformed name or a side
  // outside 1..kMaxPictureSide.
  static std::optional<PictureRequest> parse(const std::string& path);

  static std::string jpeg(int width, int height, const std::string& seed);
  static std::string png(int width, int height, const std::string& seed);
  static std::string make(const PictureRequest& request);
  static const char* contentType(const PictureRequest& request);
};

}  // namespace vorn::portal
