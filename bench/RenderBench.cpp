// One full frame of a representative screen: a navigation bar, a picture
// strip, a list of rows with labels and thumbnails, a tab bar of buttons
// (the real controls' painters); and what is left
// of the 60 Hz frame budget after drawing it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/render/Renderer.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace {

using namespace platform;

constexpr double kFrameBudgetMs = 1000.0 / 60;

std::shared_ptr<Label> text(const Rect& frame, const std::string& value, double size, const Color& color,
                            TextAlignment alignment = TextAlignment::Left) {
  auto label = Label::create(frame);
  label->setText(value);
  label->setFont(Font::systemFont(size));
  label->setTextColor(color);
  label->setTextAlignment(alignment);
  return label;
}

// A thumbnail-sized picture (106 x 80 pixels, a gradient).
std::shared_ptr<Image> thumbnail() {
  std::vector<std::uint8_t> px;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 106; ++x)
      px.insert(px.end(), {static_cast<std::uint8_t>(x * 2), static_cast<std::uint8_t>(y * 3), 160, 255});
  return Image::create(106, 80, 2, std::move(px));
}

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
  bar->addSubview(text({60, 0, 200, 44}, "沃恩汽车", 18, Color::white(), TextAlignment::Center));
  window->addSubview(bar);
  auto focus = ImageView::create({0, 64, 320, 150});
  focus->setImage(thumbnail());
  focus->setContentMode(ContentMode::ScaleAspectFill);
  focus->setClipsToBounds(true);
  focus->addSubview(text({8, 120, 304, 30}, "新款车型上市 全系降价三万元", 15, Color::white()));
  window->addSubview(focus);
  auto picture = thumbnail();
  for (int i = 0; i < 6; ++i) {
    auto row = box({0, 214.0 + 50 * i, 320, 50}, Color::white());
    auto thumb = ImageView::create({8, 5, 53, 40});
    thumb->setImage(picture);
    row->addSubview(thumb);
    row->addSubview(text({70, 2, 240, 24}, "第" + std::to_string(i + 1) + "条新闻标题 Test Drive", 15, Color::black()));
    row->addSubview(text({70, 26, 240, 20}, "2026-12-10 评论 12", 12, Color::gray()));
    row->addSubview(box({0, 49, 320, 1}, Color::lightGray()));
    window->addSubview(row);
  }
  auto tabs = box({0, 519, 320, 49}, Color::rgb255(30, 30, 30));
  for (int i = 0; i < 5; ++i) {
    auto tab = Button::create({64.0 * i, 0, 64, 49});
    tab->setTitle("首页", ControlState::Normal);
    tab->setSelected(i == 0);
    tab->setTitleColor(Color::rgb255(200, 30, 40), ControlState::Selected);
    tabs->addSubview(tab);
  }
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
