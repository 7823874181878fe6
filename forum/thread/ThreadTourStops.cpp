#include "forum/thread/ThreadTourStops.h"

namespace vorn {

void addThreadTourStops(TourStops& stops) {
  stops.push_back({"post-content", "PostContentViewController",
                   "open-url \"" + tour::productAddress(std::string("action=postdetail&postId=") + tour::kPostId) + "\"\n",
                   {}, tour::kSwipeBack, {}});
}

}  // namespace vorn
