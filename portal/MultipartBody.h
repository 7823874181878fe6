#pragma once
// Takes a multipart/form-data body apart (the portal keeps the raw bytes too).
#include <string>
#include <vector>

#include "portal/DemoPortal.h"

namespace vorn::portal {

class MultipartBody {
 public:
  // `contentType` carries the boundary. A malformed body gives the parts read
  // before the fault (none when the boundary is missing).
  static std::vector<MultipartPart> parse(const std::string& contentType, const std::string& body);
};

}  // namespace vorn::portal
