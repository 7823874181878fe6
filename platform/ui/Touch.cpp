#include "platform/ui/Touch.h"

#include "platform/ui/View.h"

namespace platform {

Point Touch::locationInView(const View* view) const {
  return view ? view->convertPointFromView(location_, nullptr) : location_;
}

Point Touch::previousLocationInView(const View* view) const {
  return view ? view->convertPointFromView(previous_, nullptr) : previous_;
}

TouchSet Event::touchesForView(const View* view) const {
  TouchSet out;
  for (auto& t : touches_)
    if (t->view().get() == view) out.push_back(t);
  return out;
}

}  // namespace platform
