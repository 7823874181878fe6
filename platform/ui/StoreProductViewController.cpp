#include "platform/ui/StoreProductViewController.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"

namespace platform {
namespace {

constexpr char kDoneTitle[] = "完成";
constexpr char kStoreTitle[] = "App Store";
constexpr char kNoProductError[] = "no product";

std::vector<Value>& historyList() {
  static std::vector<Value> list;
  return list;
}

void note(const char* op, const std::string& id) {
  Value v = Value::object();
  v["op"] = op;
  v["id"] = id;
  historyList().push_back(std::move(v));
}

bool isIdentifier(const std::string& id) {
  return !id.empty() && std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<Value> StoreProductViewController::history() { return historyList(); }
void StoreProductViewController::resetHistory() { historyList().clear(); }

void StoreProductViewController::loadView() {
  Rect screen = Screen::mainScreen().bounds();
  auto page = View::create(screen);
  page->setBackgroundColor(Color::white(0.97));
  auto bar = View::create({0, 0, screen.width(), 64});
  bar->setBackgroundColor(Color::white(0.9));
  page->addSubview(bar);
  auto title = Label::create({0, 20, screen.width(), 44});
  title->setText(kStoreTitle);
  title->setTextAlignment(TextAlignment::Center);
  title->setFont(Font::boldSystemFont(17));
  bar->addSubview(title);
  done_ = std::make_shared<Button>(Rect(screen.width() - 70, 20, 70, 44), ButtonType::System);
  done_->setTitle(kDoneTitle, ControlState::Normal);
  auto weak = std::weak_ptr<StoreProductViewController>(
      std::static_pointer_cast<StoreProductViewController>(shared_from_this()));
  done_->addAction([weak](Control&) {
    if (auto self = weak.lock()) self->finish();
  }, ControlEvent::TouchUpInside);
  bar->addSubview(done_);
  caption_ = Label::create({20, 100, screen.width() - 40, 40});
  caption_->setTextAlignment(TextAlignment::Center);
  caption_->setText(productId_);
  page->addSubview(caption_);
  setView(page);
}

void StoreProductViewController::loadProductWithParameters(
    const Value& parameters, std::function<void(bool loaded, const std::string& error)> completion) {
  productId_ = plainTextOf(parameters, kStoreProductParameterITunesItemIdentifier);
  note("load", productId_);
  if (caption_) caption_->setText(productId_);
  bool loaded = isIdentifier(productId_);
  if (!completion) return;
  RunLoop::main().post([completion = std::move(completion), loaded] {
    completion(loaded, loaded ? std::string() : std::string(kNoProductError));
  });
}

void StoreProductViewController::finish() {
  auto keep = shared_from_this();
  note("finish", productId_);
  if (auto d = delegate()) d->productViewControllerDidFinish(*this);
}

}  // namespace platform
