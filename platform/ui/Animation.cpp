#include "platform/ui/Animation.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/RunLoop.h"

namespace platform {
namespace {

double lerp(double a, double b, double f) { return a + (b - a) * f; }

struct Cubic {
  double x1, y1, x2, y2;
  static double bez(double a, double b, double t) {  // endpoints 0 and 1
    double u = 1 - t;
    return 3 * u * u * t * a + 3 * u * t * t * b + t * t * t;
  }
  double at(double x) const {
    double lo = 0, hi = 1, t = x;
    for (int i = 0; i < 60; ++i) {
      t = (lo + hi) / 2;
      if (bez(x1, x2, t) < x) lo = t; else hi = t;
    }
    return bez(y1, y2, t);
  }
};

}  // namespace

AnimationValue interpolate(const AnimationValue& from, const AnimationValue& to, double f) {
  if (from.index() != to.index()) return to;
  if (auto* a = std::get_if<double>(&from)) return lerp(*a, std::get<double>(to), f);
  if (auto* a = std::get_if<Point>(&from)) {
    auto& b = std::get<Point>(to);
    return Point{lerp(a->x, b.x, f), lerp(a->y, b.y, f)};
  }
  if (auto* a = std::get_if<Size>(&from)) {
    auto& b = std::get<Size>(to);
    return Size{lerp(a->width, b.width, f), lerp(a->height, b.height, f)};
  }
  if (auto* a = std::get_if<Rect>(&from)) {
    auto& b = std::get<Rect>(to);
    return Rect{lerp(a->x(), b.x(), f), lerp(a->y(), b.y(), f), lerp(a->width(), b.width(), f),
                lerp(a->height(), b.height(), f)};
  }
  if (auto* a = std::get_if<AffineTransform>(&from)) {
    auto& b = std::get<AffineTransform>(to);
    return AffineTransform{lerp(a->a, b.a, f), lerp(a->b, b.b, f),   lerp(a->c, b.c, f),
                           lerp(a->d, b.d, f), lerp(a->tx, b.tx, f), lerp(a->ty, b.ty, f)};
  }
  if (auto* a = std::get_if<Color>(&from)) {
    auto& b = std::get<Color>(to);
    if (a->pattern || b.pattern) return f < 1 ? from : to;
    return Color::rgba(lerp(a->red, b.red, f), lerp(a->green, b.green, f), lerp(a->blue, b.blue, f),
                       lerp(a->alpha, b.alpha, f));
  }
  return to;
}

double applyTiming(TimingFunction fn, double t) {
  if (t <= 0) return 0;
  if (t >= 1) return 1;
  switch (fn) {
    case TimingFunction::Default:
    case TimingFunction::Linear: return t;
    case TimingFunction::EaseIn: return Cubic{0.42, 0, 1, 1}.at(t);
    case TimingFunction::EaseOut: return Cubic{0, 0, 0.58, 1}.at(t);
    case TimingFunction::EaseInOut: return Cubic{0.42, 0, 0.58, 1}.at(t);
  }
  return t;
}

TimingFunction timingForCurve(AnimationCurve curve) {
  switch (curve) {
    case AnimationCurve::EaseInOut: return TimingFunction::EaseInOut;
    case AnimationCurve::EaseIn: return TimingFunction::EaseIn;
    case AnimationCurve::EaseOut: return TimingFunction::EaseOut;
    case AnimationCurve::Linear: return TimingFunction::Linear;
  }
  return TimingFunction::EaseInOut;
}

std::shared_ptr<Animation> Animation::basic(const std::string& keyPath) {
  auto a = std::make_shared<Animation>();
  a->kind = Kind::Basic;
  a->keyPath = keyPath;
  return a;
}

std::shared_ptr<Animation> Animation::keyframe(const std::string& keyPath) {
  auto a = std::make_shared<Animation>();
  a->kind = Kind::Keyframe;
  a->keyPath = keyPath;
  return a;
}

std::shared_ptr<Animation> Animation::transition(const std::string& type, const std::string& subtype) {
  auto a = std::make_shared<Animation>();
  a->kind = Kind::Transition;
  a->type = type;
  a->subtype = subtype;
  return a;
}

std::string Animation::valueForKey(const std::string& key) const {
  auto it = tags.find(key);
  return it == tags.end() ? std::string() : it->second;
}

double Animation::totalDuration() const {
  double count = repeatCount > 0 ? repeatCount : 1;
  if (count >= kRepeatForever) return INFINITY;
  return duration * count * (autoreverses ? 2 : 1);
}

double Animation::progressAt(double time) const {
  double local = time - beginTime;
  if (local <= 0 || duration <= 0) return local <= 0 ? applyTiming(timing, 0) : 1.0;
  if (time >= endTime()) return autoreverses ? applyTiming(timing, 0) : applyTiming(timing, 1);
  double cycles = local / duration;
  double n = std::floor(cycles);
  double frac = cycles - n;
  if (autoreverses && static_cast<long long>(n) % 2 == 1) frac = 1 - frac;
  return applyTiming(timing, frac);
}

AnimationValue Animation::valueAt(double time, const AnimationValue& model) const {
  double p = progressAt(time);
  if (kind == Kind::Keyframe) {
    if (values.empty()) return model;
    if (values.size() == 1) return values.front();
    std::vector<double> times = keyTimes;
    if (times.size() != values.size()) {
      times.clear();
      for (std::size_t i = 0; i < values.size(); ++i) times.push_back(double(i) / double(values.size() - 1));
    }
    if (p <= times.front()) return values.front();
    for (std::size_t i = 1; i < values.size(); ++i) {
      if (p <= times[i]) {
        double span = times[i] - times[i - 1];
        double f = span > 0 ? (p - times[i - 1]) / span : 1.0;
        return interpolate(values[i - 1], values[i], f);
      }
    }
    return values.back();
  }
  AnimationValue from = std::holds_alternative<std::monostate>(fromValue) ? model : fromValue;
  AnimationValue to = toValue;
  if (std::holds_alternative<std::monostate>(to)) {
    if (!std::holds_alternative<std::monostate>(byValue)) {
      to = interpolate(from, byValue, 1.0);
      if (auto* a = std::get_if<double>(&from); a && std::holds_alternative<double>(byValue))
        to = *a + std::get<double>(byValue);
      if (auto* a = std::get_if<Point>(&from); a && std::holds_alternative<Point>(byValue))
        to = Point{a->x + std::get<Point>(byValue).x, a->y + std::get<Point>(byValue).y};
    } else {
      to = model;
    }
  }
  return interpolate(from, to, p);
}

// Transactions.
namespace {
struct OpenTransaction {
  bool disableActions = false;
  double duration = 0.25;
  std::function<void()> completion;
  double lastEnd = 0;
};
std::vector<OpenTransaction>& transactions() {
  static std::vector<OpenTransaction> stack;
  return stack;
}
}  // namespace

void Transaction::begin() { transactions().push_back({}); }

void Transaction::commit() {
  auto& stack = transactions();
  if (stack.empty()) return;
  OpenTransaction t = std::move(stack.back());
  stack.pop_back();
  if (!t.completion) return;
  double now = RunLoop::main().now();
  double delay = std::max(0.0, t.lastEnd - now);
  if (!std::isfinite(delay)) return;
  RunLoop::main().schedule(delay, std::move(t.completion));
}

void Transaction::setDisableActions(bool disable) {
  if (!transactions().empty()) transactions().back().disableActions = disable;
}

bool Transaction::disableActions() {
  for (auto& t : transactions())
    if (t.disableActions) return true;
  return false;
}

void Transaction::setAnimationDuration(double duration) {
  if (!transactions().empty()) transactions().back().duration = duration;
}

double Transaction::animationDuration() {
  return transactions().empty() ? 0.25 : transactions().back().duration;
}

void Transaction::setCompletionBlock(std::function<void()> completion) {
  if (!transactions().empty()) transactions().back().completion = std::move(completion);
}

void Transaction::noteAnimationEnd(double endTime) {
  for (auto& t : transactions()) t.lastEnd = std::max(t.lastEnd, endTime);
}

}  // namespace platform
