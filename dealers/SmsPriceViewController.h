#pragma once
// The price-inquiry form, as far as its openers configure it: the series, the
// model ("0" asks about the whole series) and which form it is (0 the "问促销价"
// form, 1 the "上市通知我" form). Opened with pushChildViewController.
#include <string>

#include "platform/ui/ViewController.h"

namespace vorn {

inline constexpr char kSmsPricePromotionTitle[] = "问促销价";
inline constexpr char kSmsPriceNotifyTitle[] = "上市通知我";

class SmsPriceViewController : public platform::ViewController {
 public:
  std::string className() const override { return "SmsPriceViewController"; }

  void setSeriesID(const std::string& id) { seriesID_ = id; }
  void setSeriesNam(const std::string& name) { seriesNam_ = name; }
  void setCarID(const std::string& id) { carID_ = id; }
  void setCarName(const std::string& name) { carName_ = name; }
  void setIsTitleReplacement(int replacement) { isTitleReplacement_ = replacement; }
  const std::string& seriesID() const { return seriesID_; }
  const std::string& seriesNam() const { return seriesNam_; }
  const std::string& carID() const { return carID_; }
  const std::string& carName() const { return carName_; }
  int isTitleReplacement() const { return isTitleReplacement_; }

  void viewDidLoad() override;

 private:
  std::string seriesID_;
  std::string seriesNam_;
  std::string carID_;
  std::string carName_;
  int isTitleReplacement_ = 0;
};

}  // namespace vorn
