#pragma once
// The series page.
#include <memory>
#include <string>
#include <vector>

#include "core/ThemedScreen.h"

namespace vorn {

class CarSeriesViewController : public ThemedScreen {
 public:
  CarSeriesViewController() = default;
  PLATFORM_CLASS_NAME(CarSeriesViewController)

  // `series`: item 0 the series id, item 1 the series name (missing items read "").
  static std::shared_ptr<CarSeriesViewController> initWithSeriesId(const std::vector<std::string>& series);

  const std::string& seriesID() const { return seriesID_; }
  void setSeriesID(const std::string& id) { seriesID_ = id; }
  const std::string& seriesName() const { return seriesName_; }
  void setSeriesName(const std::string& name) { seriesName_ = name; }

 private:
  std::string seriesID_;
  std::string seriesName_;
};

}  // namespace vorn
