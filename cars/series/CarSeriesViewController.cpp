#include "cars/series/CarSeriesViewController.h"

namespace vorn {

std::shared_ptr<CarSeriesViewController> CarSeriesViewController::initWithSeriesId(
    const std::vector<std::string>& series) {
  auto page = std::make_shared<CarSeriesViewController>();
  if (!series.empty()) page->seriesID_ = series[0];
  if (series.size() > 1) page->seriesName_ = series[1];
  return page;
}

}  // namespace vorn
