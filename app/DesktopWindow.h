#pragma once
// The client in a desktop window (SDL2): the screen drawn by the renderer at
// 2 pixels a point, the mouse as a finger, the wheel as a drag on what is under
// the pointer, typing (with the desktop's input methods) into the first
// responder, Escape as an edge swipe back. The main loop runs on real time.
#include <functional>
#include <string>

namespace vorn {

struct WindowOptions {
  // The screen's height in points: 568 or 480 (the width is always 320).
  double heightPoints = 568;
  std::string title = "沃恩汽车";
  // Runs once the window is open and the main loop is on real time (launch
  // the application here).
  std::function<void()> onOpen;
};

// Whether a display is there for a window (SDL's video can start).
bool desktopDisplayAvailable();

// Opens the window and runs until it is closed: 0 then; 1 (with a message on
// stderr) when no window can be opened (no display, no SDL2 in this build).
int runDesktopWindow(const WindowOptions& options);

}  // namespace vorn
