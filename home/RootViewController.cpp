#include "home/RootViewController.h"

namespace vorn {

void RootViewController::getHotImageData() {}

}  // namespace vorn
