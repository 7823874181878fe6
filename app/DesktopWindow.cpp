#include "app/DesktopWindow.h"

#include <cstdio>

#if VORN_HAVE_SDL2
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/foundation/RunLoop.h"
#include "platform/render/Renderer.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Touch.h"
#include "platform/ui/Window.h"
#endif

namespace vorn {

#if VORN_HAVE_SDL2
namespace {

using platform::Point;

constexpr double kScreenWidth = 320;
constexpr double kFrameInterval = 1.0 / 30;   // repaint rate
constexpr double kWheelStep = 24;             // points a wheel notch drags
constexpr double kWheelRelease = 0.15;        // the wheel's finger lifts after this quiet time
constexpr double kSwipeStartX = 5;
constexpr double kSwipeEndX = 250;
constexpr double kSwipeDuration = 0.2;
constexpr int kSwipeSteps = 12;

double now() { return platform::RunLoop::main().now(); }

// One finger: touches delivered to the window under its first point, through
// the window's own touch delivery (hit testing, recognizers, responders).
class Finger {
 public:
  bool isDown() const { return touch_ != nullptr; }

  void press(Point screenPoint, int tapCount) {
    if (touch_) lift(screenPoint);
    auto window = platform::Application::sharedApplication().windowAt(screenPoint);
    if (!window) return;
    window_ = window;
    touch_ = std::make_shared<platform::Touch>();
    touch_->setLocation(toWindow(screenPoint));
    touch_->setTapCount(std::max(1, tapCount));
    send(platform::TouchPhase::Began);
  }
  void move(Point screenPoint) {
    if (!touch_) return;
    touch_->moveTo(toWindow(screenPoint));
    send(platform::TouchPhase::Moved);
  }
  void lift(Point screenPoint) {
    if (!touch_) return;
    touch_->moveTo(toWindow(screenPoint));
    send(platform::TouchPhase::Ended);
    touch_.reset();
    window_.reset();
  }
  Point lastScreenPoint() const {
    if (!touch_ || !window_) return {};
    Point p = touch_->locationInWindow();
    auto f = window_->frame();
    return {p.x + f.x(), p.y + f.y()};
  }

 private:
  Point toWindow(Point screenPoint) const {
    auto f = window_->frame();
    return {screenPoint.x - f.x(), screenPoint.y - f.y()};
  }
  void send(platform::TouchPhase phase) {
    touch_->setPhase(phase);
    touch_->setTimestamp(now());
    platform::Event event;
    event.setTimestamp(now());
    event.mutableTouches().push_back(touch_);
    auto keep = window_;  // the delivery may close the window
    keep->sendEvent(event);
  }
  std::shared_ptr<platform::Window> window_;
  std::shared_ptr<platform::Touch> touch_;
};

// Escape: a finger from the left edge across the screen, moved on the main loop.
void swipeBack(Finger& finger, double screenHeight) {
  if (finger.isDown()) return;
  double y = screenHeight / 2;
  finger.press({kSwipeStartX, y}, 1);
  auto& loop = platform::RunLoop::main();
  for (int i = 1; i <= kSwipeSteps; ++i) {
    double x = kSwipeStartX + (kSwipeEndX - kSwipeStartX) * i / kSwipeSteps;
    bool last = i == kSwipeSteps;
    loop.schedule(kSwipeDuration * i / kSwipeSteps, [&finger, x, y, last] {
      if (last) finger.lift({x, y});
      else finger.move({x, y});
    });
  }
}

struct Sdl {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  ~Sdl() {
    if (texture) SDL_DestroyTexture(texture);
    if (renderer) SDL_DestroyRenderer(renderer);
    if (window) SDL_DestroyWindow(window);
    SDL_Quit();
  }
};

// SDL falls back to drivers that show nothing (no display); those count only
// when asked for by name in SDL_VIDEODRIVER.
bool startVideo(bool quiet) {
  SDL_SetHint(SDL_HINT_IME_SHOW_UI, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    if (!quiet) std::fprintf(stderr, "vorn: no display for a window (%s)\n", SDL_GetError());
    return false;
  }
  std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  if ((driver == "dummy" || driver == "offscreen") && !(asked && driver == asked)) {
    if (!quiet) std::fprintf(stderr, "vorn: no display for a window\n");
    SDL_Quit();
    return false;
  }
  return true;
}

void present(Sdl& sdl) {
  auto picture = platform::render::renderScreen();
  // Cairo's ARGB32 is SDL's ARGB8888 in native byte order (premultiplied over
  // the opaque black of an empty screen, so it shows as is).
  SDL_UpdateTexture(sdl.texture, nullptr, picture.data(), picture.stride());
  SDL_RenderClear(sdl.renderer);
  SDL_RenderCopy(sdl.renderer, sdl.texture, nullptr, nullptr);
  SDL_RenderPresent(sdl.renderer);
}

}  // namespace

bool desktopDisplayAvailable() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  if (!startVideo(true)) return false;
  SDL_Quit();
  return true;
}

int runDesktopWindow(const WindowOptions& options) {
  if (!startVideo(false)) return 1;
  Sdl sdl;
  auto& screen = platform::Screen::mainScreen();
  screen.setHeight(options.heightPoints == 480 ? 480 : 568);
  double scale = screen.scale();
  int pixelWidth = static_cast<int>(kScreenWidth * scale);
  int pixelHeight = static_cast<int>(screen.bounds().height() * scale);
  sdl.window = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, pixelWidth,
                                pixelHeight, SDL_WINDOW_RESIZABLE);
  if (sdl.window) sdl.renderer = SDL_CreateRenderer(sdl.window, -1, 0);
  if (sdl.renderer) {
    // Pointer positions come back in the picture's pixels whatever the window's size.
    SDL_RenderSetLogicalSize(sdl.renderer, pixelWidth, pixelHeight);
    sdl.texture = SDL_CreateTexture(sdl.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, pixelWidth,
                                    pixelHeight);
  }
  if (!sdl.texture) {
    std::fprintf(stderr, "vorn: cannot open a window (%s)\n", SDL_GetError());
    return 1;
  }

  auto& loop = platform::RunLoop::main();
  loop.adoptCurrentThread();
  if (loop.isVirtual()) loop.useSystemClock();
  if (options.onOpen) options.onOpen();
  SDL_StartTextInput();

  Finger finger;       // the mouse
  Finger wheelFinger;  // the wheel's drags
  double wheelLastMove = 0;
  double nextFrame = 0;
  auto toPoints = [scale](int x, int y) { return Point{x / scale, y / scale}; };
  bool running = true;
  while (running) {
    SDL_Event e;
    double wait = std::clamp(nextFrame - now(), 0.0, kFrameInterval);
    double timer = loop.nextTimerDelay();
    if (timer >= 0) wait = std::min(wait, timer);
    bool got = SDL_WaitEventTimeout(&e, static_cast<int>(std::ceil(wait * 1000))) != 0;
    while (got) {
      switch (e.type) {
        case SDL_QUIT:
          running = false;
          break;
        case SDL_MOUSEBUTTONDOWN:
          if (e.button.button == SDL_BUTTON_LEFT) finger.press(toPoints(e.button.x, e.button.y), e.button.clicks);
          break;
        case SDL_MOUSEMOTION:
          if (finger.isDown()) finger.move(toPoints(e.motion.x, e.motion.y));
          break;
        case SDL_MOUSEBUTTONUP:
          if (e.button.button == SDL_BUTTON_LEFT) finger.lift(toPoints(e.button.x, e.button.y));
          break;
        case SDL_MOUSEWHEEL: {
          if (finger.isDown()) break;
          if (!wheelFinger.isDown()) {
            int mx = 0, my = 0;
            SDL_GetMouseState(&mx, &my);
            float lx = 0, ly = 0;
            SDL_RenderWindowToLogical(sdl.renderer, mx, my, &lx, &ly);
            wheelFinger.press(toPoints(static_cast<int>(lx), static_cast<int>(ly)), 1);
          }
          Point at = wheelFinger.lastScreenPoint();
          // Wheel up shows what is above: the finger moves down.
          wheelFinger.move({at.x - e.wheel.x * kWheelStep, at.y + e.wheel.y * kWheelStep});
          wheelLastMove = now();
          break;
        }
        case SDL_TEXTINPUT:
          if (auto* r = platform::Responder::currentFirstResponder(); r && r->acceptsText()) r->insertText(e.text.text);
          break;
        case SDL_KEYDOWN: {
          auto* r = platform::Responder::currentFirstResponder();
          bool typing = r && r->acceptsText();
          switch (e.key.keysym.sym) {
            case SDLK_BACKSPACE:
              if (typing) r->deleteBackward();
              break;
            case SDLK_RETURN:
            case SDLK_KP_ENTER:
              if (typing) r->pressReturn();
              break;
            case SDLK_ESCAPE:
              swipeBack(finger, screen.bounds().height());
              break;
            default:
              break;
          }
          break;
        }
        default:
          break;
      }
      got = SDL_PollEvent(&e) != 0;
    }
    if (wheelFinger.isDown() && now() - wheelLastMove > kWheelRelease) wheelFinger.lift(wheelFinger.lastScreenPoint());
    loop.runUntilIdle();
    if (now() >= nextFrame) {
      present(sdl);
      nextFrame = now() + kFrameInterval;
    }
  }
  SDL_StopTextInput();
  return 0;
}

#else

bool desktopDisplayAvailable() { return false; }

int runDesktopWindow(const WindowOptions&) {
  std::fprintf(stderr, "vorn: this build has no window support (SDL2 was not found)\n");
  return 1;
}

#endif

}  // namespace vorn
