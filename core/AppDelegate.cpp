#include "core/AppDelegate.h"

#include <array>
#include <cctype>
#include <memory>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Regex.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

namespace vorn {
namespace {

// Numbers the portal's staff use for testing; the mobile-number test refuses them.
constexpr std::array<const char*, 3> kReservedTestNumbers = {"13800000000", "15000000000", "18000000000"};

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

const platform::Color AppDelegate::kFallbackColor = platform::Color::black();

std::shared_ptr<AppDelegate> AppDelegate::sharedAppDelegate() {
  auto& application = platform::Application::sharedApplication();
  if (auto delegate = std::dynamic_pointer_cast<AppDelegate>(application.delegate())) return delegate;
  auto delegate = std::make_shared<AppDelegate>();
  application.setDelegate(delegate);
  return delegate;
}

void AppDelegate::setSharedAppDelegate(std::shared_ptr<AppDelegate> delegate) {
  platform::Application::sharedApplication().setDelegate(std::move(delegate));
}

AppDelegate::AppDelegate() = default;

AppDelegate::~AppDelegate() {
  platform::NotificationCenter::defaultCenter().removeObserver(static_cast<const void*>(this));
  if (HUD_) HUD_->removeFromSuperview();
}

// ---- Theme and version helpers -------------------------------------------

std::string AppDelegate::getCurrentMode() {
  const auto mode = platform::UserDefaults::standardUserDefaults().stringForKey(kThemeMode);
  return mode && *mode == kThemeModeBlack ? kThemeModeBlack : kThemeModeNormal;
}

void AppDelegate::switchThemeMode(const std::string& mode, const void* poster) {
  auto& defaults = platform::UserDefaults::standardUserDefaults();
  defaults.setString(kThemeMode, mode);
  defaults.synchronize();
  platform::NotificationCenter::defaultCenter().post(kThemeChangeNotify, poster);
}

std::string AppDelegate::getCurrentVersion() {
  return platform::Bundle::mainBundle().bundleVersion();
}

platform::Color AppDelegate::getColor(const std::string& hex) {
  if (hex.size() < 6) return kFallbackColor;
  std::array<int, 3> components{};
  for (std::size_t i = 0; i < 3; ++i) {
    const int high = hexDigit(hex[2 * i]);
    if (high < 0) return kFallbackColor;
    const int low = hexDigit(hex[2 * i + 1]);
    // A pair reads as far as it holds hexadecimal digits.
    components[i] = low < 0 ? high : high * 16 + low;
  }
  const auto part = [](int v) { return static_cast<double>(static_cast<float>(v) / 255.0f); };
  return platform::Color::rgba(part(components[0]), part(components[1]), part(components[2]), 1.0);
}

bool AppDelegate::numberIsValid(const std::string& number, const std::string& pattern) {
  if (pattern == kMobileNumberPattern)
    for (const char* reserved : kReservedTestNumbers)
      if (number == reserved) return false;
  const auto compiled = platform::Regex::make(pattern);
  return compiled && compiled->numberOfMatches(number) != 0;
}

// ---- Notices ---------------------------------------------------------------

bool AppDelegate::showNotice(const std::string& text) {
  if (HUD_) return false;
  std::shared_ptr<platform::Window> host = window();
  if (!host) host = platform::Application::sharedApplication().keyWindow();
  HUD_ = platform::ProgressHud::initWithView(host);
  if (host) host->addSubview(HUD_);
  HUD_->setMode(platform::ProgressHudMode::Text);
  HUD_->setLabelText(text);
  HUD_->setDelegate(std::weak_ptr<AppDelegate>(weak_from_this()));
  HUD_->show(true);
  // Gone after 1.5 s, so that the next notice may show from then on.
  HUD_->hide(false, kNoticeSeconds);
  return true;
}

void AppDelegate::hudWasHidden() {
  if (HUD_) HUD_->removeFromSuperview();
  HUD_.reset();
}

void AppDelegate::hudWasHidden(platform::ProgressHud& hud) {
  if (HUD_.get() == &hud) hudWasHidden();
}

void AppDelegate::responseNetWork() { showNotice(kNetworkNoticeText); }
void AppDelegate::responseCompareFull() { showNotice(kCompareFullNoticeText); }

}  // namespace vorn
