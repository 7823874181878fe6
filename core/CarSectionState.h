#pragma once
// What the car screens leave for one another: how the car section and a series
// page were entered, the open comparison page, and the state of the series
// search table (a changed cache stamp asks for a rebuild; while it is rebuilt
// the search reads the prebuilt copy among the resources).
#include <memory>

namespace platform {
class ViewController;
}

namespace vorn {

class CarSectionState {
 public:
  int currentEntryBrandType() const { return currentEntryBrandType_; }
  void setCurrentEntryBrandType(int type) { currentEntryBrandType_ = type; }
  int currentEntryCarSeriesType() const { return currentEntryCarSeriesType_; }
  void setCurrentEntryCarSeriesType(int type) { currentEntryCarSeriesType_ = type; }
  const std::shared_ptr<platform::ViewController>& carcompareVC() const { return carcompareVC_; }
  void setCarcompareVC(const std::shared_ptr<platform::ViewController>& page) { carcompareVC_ = page; }
  bool TimeStampFlag() const { return TimeStampFlag_; }
  void setTimeStampFlag(bool changed) { TimeStampFlag_ = changed; }
  bool dataConversionFlag() const { return dataConversionFlag_; }
  void setDataConversionFlag(bool converting) { dataConversionFlag_ = converting; }

 private:
  int currentEntryBrandType_ = 0;
  int currentEntryCarSeriesType_ = 0;
  std::shared_ptr<platform::ViewController> carcompareVC_;
  bool TimeStampFlag_ = false;
  bool dataConversionFlag_ = false;
};

}  // namespace vorn
