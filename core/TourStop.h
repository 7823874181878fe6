#pragma once
// One stop of the headless tour (`vorn --tour`): the screen it shows, how a
// user's way opens it and how home comes back. Each screen folder lists its
// own stops (a function addXTourStops next to its screens); the application
// puts the folders' lists in visiting order.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class ViewController;
}

namespace vorn {

class ModalContainers;
class ParentViewController;

struct TourStop {
  std::string picture;          // the picture's name, without number and ".png"
  std::string screen;           // the class in front once it is open
  std::string openScript;       // script lines that open it, when an address does
  std::function<void()> open;   // else how its opener opens it
  std::string leaveScript;      // script lines that return home, or
  std::function<void()> leave;  // how home comes back otherwise
};
using TourStops = std::vector<TourStop>;

namespace tour {

// Script lines: an edge swipe back; a tap on a screen's own back button (top
// left in its bar), for screens whose page takes the edge swipe.
inline constexpr char kSwipeBack[] = "swipe-back\n";
inline constexpr char kOwnBackButton[] = "tap @25,45\n";
// What the stops open: the demo portal's article, thread, series, event page
// and picture set.
inline constexpr char kNewsId[] = "1001";
inline constexpr char kPostId[] = "2001";
inline constexpr char kSeriesId[] = "3001";
inline constexpr char kSeriesName[] = "沃恩轿跑";
inline constexpr char kEventPagePath[] = "/event/spring-drive.html";
inline constexpr char kPictureSetId[] = "tour";

// "vorn5://open?" + query: the product's own address.
std::string productAddress(const std::string& query);
// Pushes the screen wherever the user is (the application delegate's routing).
void pushScreen(const std::shared_ptr<platform::ViewController>& screen);
// A modal flow: a fresh container around its first screen, presented over the
// home container.
std::shared_ptr<ParentViewController> presentInContainer(const std::shared_ptr<platform::ViewController>& first);
// Takes the presented flow off the home container.
void dismissModal();
// A stop at a modal flow's first screen: made by `make`, presented in a fresh
// container that `setter` stores among the modal containers while it is up,
// dismissed and cleared on the way back.
TourStop modalStop(std::string picture, std::string screen,
                   std::function<std::shared_ptr<platform::ViewController>()> make,
                   void (ModalContainers::*setter)(const std::shared_ptr<ParentViewController>&));

}  // namespace tour
}  // namespace vorn
