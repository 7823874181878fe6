// One full frame of a representative screen: a navigation bar, a picture
// strip, a list of rows with texts and thumbnails, a tab bar; and what is left
// of the 60 Hz frame budget after drawing it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "platform/foundation/RunLoop.h"
#include "platform/render/Renderer.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace {

using namespace platform;

constexpr double kFrameBudgetMs = 1000.0 / 60;

class TextBox : public View {
 public:
  TextBox(const Rect& frame, std::string text) : View(frame), text_(std::move(text)) {}
  std::string className() const override { return "BenchText"; }
  std::string automationText() const override { return text_; }

 private:
  std::string text_;
};

std::shared_ptr<View> box(const Rect& frame, const Color& color, double radius = 0) {
  auto v = View::create(frame);
  v->setBackgroundColor(color);
  v->layer().cornerRadius = radius;
  return v;
}

std::shared_ptr<Window> buildScreen() {
  auto window = Window::create({0, 0, 320, 568});
  window->setBackgroundColor(Color::white());
  window->makeKeyAndVisible();
  auto bar = box({0, 20, 320, 44}, Color::rgb255(200, 30, 40));
  bar->addSubview(std::make_shared<TextBox>(Rect{110, 0, 100, 44}, "沃恩汽车"));
  window->addSubview(bar);
  auto focus = box({0, 64, 320, 150}, Color::rgb255(90, 90, 90));
  focus->addSubview(std::make_shared<TextBox>(Rect{8, 120, 304, 30}, "新款车型上市 全系降价三万元"));
  window->addSubview(focus);
  for (int i = 0; i < 6; ++i) {
    auto row = box({0, 214.0 + 50 * i, 320, 50}, Color::white());
    row->addSubview(box({8, 5, 53, 40}, Color::rgb255(150, 170, 200), 3));
    row->addSubview(std::make_shared<TextBox>(Rect{70, 2, 240, 24}, "第" + std::to_string(i + 1) + "条新闻标题 Test Drive"));
    row->addSubview(std::make_shared<TextBox>(Rect{70, 26, 240, 20}, "2026-12-10 评论 12"));
    row->addSubview(box({0, 49, 320, 1}, Color::lightGray()));
    window->addSubview(row);
  }
  auto tabs = box({0, 519, 320, 49}, Color::rgb255(30, 30, 30));
  for (int i = 0; i < 5; ++i) tabs->addSubview(std::make_shared<TextBox>(Rect{64.0 * i + 12, 10, 52, 30}, "首页"));
  window->addSubview(tabs);
  return window;
}

void BM_RenderFullFrame(benchmark::State& state) {
  RunLoop::main().useVirtualClock(1'765'373'400);
  Screen::mainScreen().reset();
  auto window = buildScreen();
  double totalMs = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    auto picture = render::renderScreen();
    benchmark::DoNotOptimize(picture.data());
    totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  double frameMs = totalMs / static_cast<double>(state.iterations());
  state.counters["frame_ms"] = frameMs;
  state.counters["budget_left_ms_60hz"] = kFrameBudgetMs - frameMs;
  Application::sharedApplication().reset();
}
BENCHMARK(BM_RenderFullFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
