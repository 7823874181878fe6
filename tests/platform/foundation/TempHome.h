#pragma once
// A fresh home folder for one test, removed afterwards.
#include <stdlib.h>

#include <string>

#include "platform/foundation/Files.h"

namespace platform::testing {

class TempHome {
 public:
  TempHome() {
    char pattern[] = "/tmp/vorn-foundation-XXXXXX";
    path_ = ::mkdtemp(pattern);
    platform::setHomeDirectory(path_);
  }
  ~TempHome() { platform::removeItem(path_); }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return platform::joinPath(path_, name); }

 private:
  std::string path_;
};

}  // namespace platform::testing
