#include "app/ScriptRunner.h"

#include <algorithm>
#include <ostream>

#include "app/Session.h"
#include "net/Vorn5APIClient.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Url.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/Camera.h"
#include "platform/services/ImagePickerAnswers.h"
#include "platform/services/LocationManager.h"
#include "platform/services/PhotoLibrary.h"
#include "platform/services/SpeechRecognizer.h"
#include "platform/services/WeiboConnect.h"
#include "platform/ui/Application.h"
#include "platform/render/Renderer.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"
#include "portal/DemoPortal.h"

namespace vorn::shell {

using platform::Value;
namespace services = platform::services;

namespace {
constexpr double kWaitStep = 0.05;

// A position given after a refusal or with location services off means the
// person has since allowed it: the permission is lifted first, without a
// position (so nobody hears a stale one or the refusal again), then the
// position reaches every manager still waiting.
void answerLocation(double latitude, double longitude) {
  using services::LocationManager;
  const int status = LocationManager::authorizationStatus();
  if (!LocationManager::locationServicesEnabled() || status == services::kLocationStatusDenied ||
      status == services::kLocationStatusRestricted) {
    LocationManager::clearDevicePosition();
    LocationManager::setAuthorizationStatus(services::kLocationStatusAuthorizedWhenInUse);
    LocationManager::setLocationServicesEnabled(true);
  }
  LocationManager::setDevicePosition(latitude, longitude);
}

// Whether the request's parameters include every expected name with its text.
bool parametersInclude(const Value& actual, const Value& expected) {
  for (auto it = expected.begin(); it != expected.end(); ++it) {
    if (!platform::hasKey(actual, it.key())) return false;
    std::string want = it.value().is_string() ? it.value().get<std::string>() : platform::textOf(it.value());
    if (platform::textOf(actual, it.key()) != want) return false;
  }
  return true;
}
}  // namespace

ScriptRunner::ScriptRunner(Session& session, std::ostream& out, std::ostream& err, std::string screenshotDir)
    : session_(session), out_(out), err_(err), screenshotDir_(std::move(screenshotDir)) {}

int ScriptRunner::run(const ParsedScript& script) {
  if (script.error) {
    err_ << "line " << script.error->line << ": " << script.error->message << "\n";
    return kScriptUnreadable;
  }
  for (const auto& c : script.commands) {
    int status = execute(c);
    if (status != kScriptDone) return status;
  }
  return kScriptDone;
}

int ScriptRunner::fail(const Command& c, const std::string& why) {
  err_ << "line " << c.line << ": " << c.name << " failed: " << why << "\n";
  return kExpectationFailed;
}

int ScriptRunner::unusable(const Command& c, const std::string& why) {
  err_ << "line " << c.line << ": " << why << "\n";
  return kScriptUnreadable;
}

void ScriptRunner::waitVirtual(double seconds) {
  auto& loop = platform::RunLoop::main();
  while (seconds > 1e-9) {
    double step = std::min(kWaitStep, seconds);
    loop.runFor(step);
    seconds -= step;
  }
}

int ScriptRunner::execute(const Command& c) {
  auto& loop = platform::RunLoop::main();
  auto& app = platform::Application::sharedApplication();
  const std::string& name = c.name;

  if (name == "launch") {
    if (session_.isLaunched()) return unusable(c, "the application is already running");
    session_.launch(c.json ? *c.json : Value());
    loop.runUntilIdle();
    return kScriptDone;
  }
  if (name == "wait") {
    waitVirtual(c.numbers.at(0));
    return kScriptDone;
  }
  if (name == "settle") {
    loop.settle(30.0);
    return kScriptDone;
  }
  if (name == "open-url") {
    app.receiveURL(c.texts.at(0), c.texts.size() > 1 ? c.texts[1] : std::string());
    loop.runUntilIdle();
    return kScriptDone;
  }
  if (name == "push") {
    app.receiveRemoteNotification(*c.json);
    loop.runUntilIdle();
    return kScriptDone;
  }
  if (name == "state") {
    const std::string& s = c.texts.at(0);
    app.setApplicationState(s == "active"     ? platform::ApplicationState::Active
                            : s == "inactive" ? platform::ApplicationState::Inactive
                                              : platform::ApplicationState::Background);
    loop.runUntilIdle();
    return kScriptDone;
  }
  if (name == "location") {
    if (c.texts.empty()) {
      answerLocation(c.numbers.at(0), c.numbers.at(1));
    } else if (c.texts[0] == "denied") {
      services::LocationManager::setAuthorizationStatus(services::kLocationStatusDenied);
    } else {
      services::LocationManager::setLocationServicesEnabled(false);
    }
    loop.runUntilIdle();
    return kScriptDone;
  }
  if (name == "photo-add") {
    auto url = services::PhotoLibrary::shared().addFile(c.texts.at(0), c.texts.size() > 1 ? c.texts[1] : "");
    if (!url) return fail(c, "cannot add " + c.texts[0] + " to the photo library");
    out_ << *url << "\n";
    return kScriptDone;
  }
  if (name == "photo-access") {
    services::PhotoLibrary::setAuthorizationStatus(c.texts.at(0) == "allowed" ? services::kPhotoAccessAuthorized
                                                                               : services::kPhotoAccessDenied);
    return kScriptDone;
  }
  if (name == "camera-access") {
    services::Camera::shared().setCaptureAuthorizationStatus(static_cast<int>(c.numbers.at(0)));
    return kScriptDone;
  }
  if (name == "camera") {
    if (!c.texts.empty() && c.texts[0] == "none") {
      services::Camera::shared().setAvailable(false);
      return kScriptDone;
    }
    services::ImagePickerAnswer answer;
    if (c.texts.at(0) == "cancel") answer.cancelled = true;
    else answer.pictures.push_back({c.texts[0], ""});
    services::ImagePickerAnswers::shared().answer(services::ImagePickerSource::Camera, answer);
    loop.runUntilIdle();
    return kScriptDone;
  }
  if (name == "pick") {
    services::ImagePickerAnswer answer;
    if (!c.texts.empty()) {
      answer.cancelled = true;
    } else {
      auto newestFirst = services::PhotoLibrary::shared().savedPhotosNewestFirst();
      for (double n : c.numbers) {
        auto i = static_cast<std::size_t>(n);
        if (i >= newestFirst.size()) return fail(c, "the library holds no picture at index " + std::to_string(i));
        answer.pictures.push_back({newestFirst[i].filePath, newestFirst[i].url});
      }
    }
    auto source = services::ImagePickerAnswers::shared().openPicker().value_or(services::ImagePickerSource::PhotoLibrary);
    services::ImagePickerAnswers::shared().answer(source, answer);
    loop.runUntilIdle();
    return kScriptDone;
  }
  if (name == "speech") {
    bool heard = c.texts.at(0) == "error" ? services::SpeechRecognizer::deliverError(static_cast<int>(c.numbers.at(0)))
                                          : services::SpeechRecognizer::deliverPhrase(c.texts[0]);
    if (!heard) return fail(c, "no speech recogniser is listening");
    loop.runUntilIdle();
    return kScriptDone;
  }
  if (name == "weibo-auth") {
    auto& weibo = services::WeiboConnect::shared();
    std::string handBack = c.texts.at(0) == "cancel" ? weibo.cancelAuthorization()
                                                     : weibo.answerAuthorization(c.texts[0], c.texts.at(1));
    if (handBack.empty()) return fail(c, "no Weibo authorisation is waiting");
    loop.runUntilIdle();
    return kScriptDone;
  }
  if (name == "network") {
    const std::string& s = c.texts.at(0);
    setNetworkStatus(s == "wifi" ? 2 : s == "mobile" ? 1 : 0);
    loop.runUntilIdle();
    return kScriptDone;
  }
  if (name == "defaults-set") {
    auto& defaults = platform::UserDefaults::standardUserDefaults();
    if (c.json->is_null()) defaults.removeObject(c.texts.at(0));
    else defaults.setObject(c.texts.at(0), *c.json);
    defaults.synchronize();
    return kScriptDone;
  }
  if (name == "defaults") {
    auto v = platform::UserDefaults::standardUserDefaults().objectForKey(c.texts.at(0));
    out_ << platform::toJson(v) << "\n";
    return kScriptDone;
  }
  if (name == "expect-request") return expectRequest(c);
  return driveScreen(c);
}

int ScriptRunner::expectRequest(const Command& c) {
  const std::string& path = c.texts.at(0);
  Value expected = c.json ? *c.json : Value::object();
  for (const auto& line : session_.log().requests().lines()) {
    auto url = platform::parseUrl(platform::textOf(line, "url"));
    if (!url || url->path != path) continue;
    if (parametersInclude(platform::parseQueryString(url->query.value_or("")), expected)) return kScriptDone;
  }
  // Form bodies reach only the portal: the embedded one can tell.
  if (auto* portal = session_.embeddedPortal()) {
    for (const auto& r : portal->requestsTo(path)) {
      Value params = Value::object();
      for (const auto& [k, v] : r.params) params[k] = v;
      if (parametersInclude(params, expected)) return kScriptDone;
    }
  }
  std::string sent;
  for (const auto& line : session_.log().requests().lines()) sent += "\n  " + platform::textOf(line, "url");
  return fail(c, "no request to " + path + (c.json ? " with " + platform::toJson(expected) : "") +
                     "; sent:" + (sent.empty() ? " nothing" : sent));
}

}  // namespace vorn::shell

namespace vorn::shell {

void ScriptRunner::setNetworkStatus(int status) {
  Vorn5APIClient::sharedClient().setReachabilityStatus(status);
  platform::WebView::client().setReachabilityStatus(status);
}

namespace {
std::shared_ptr<platform::View> findTarget(const Target& t) {
  using platform::TestDriver;
  switch (t.kind) {
    case Target::Kind::Text: return TestDriver::findByText(t.text);
    case Target::Kind::Tag: return TestDriver::findByTag(t.tag);
    case Target::Kind::Class: return TestDriver::findByClass(t.text);
    case Target::Kind::Point: return TestDriver::viewAt({t.x, t.y});
  }
  return nullptr;
}

// The screen in front: the controller of the front-most shown window that has
// one (an alert's window over it holds no screen), through what it presents,
// down to the top child of a container.
std::shared_ptr<platform::ViewController> frontScreen() {
  std::shared_ptr<platform::ViewController> vc;
  auto windows = platform::Application::sharedApplication().windows();
  for (auto w = windows.rbegin(); w != windows.rend() && !vc; ++w)
    if (!(*w)->isHidden()) vc = (*w)->rootViewController();
  while (vc) {
    if (auto presented = vc->presentedViewController()) {
      vc = presented;
      continue;
    }
    if (!vc->childViewControllers().empty()) {
      vc = vc->childViewControllers().back();
      continue;
    }
    break;
  }
  return vc;
}

bool screenShowsText(const std::string& text) {
  for (const auto& v : platform::TestDriver::visibleViews())
    if (platform::contains(v->automationText(), text)) return true;
  return false;
}
}  // namespace

int ScriptRunner::driveScreen(const Command& c) {
  using platform::TestDriver;
  const std::string& name = c.name;
  std::shared_ptr<platform::View> target;
  if (c.target && c.target->kind == Target::Kind::Point && name != "dump") {
    // A point is touched where it is, whatever lies under it.
    const platform::Point p{c.target->x, c.target->y};
    if (name == "tap") TestDriver::tapAt(p);
    else if (name == "doubletap") TestDriver::doubleTapAt(p);
    else if (name == "longpress") TestDriver::longPressAt(p, c.numbers.empty() ? 1.0 : c.numbers[0]);
    else if (name == "drag") TestDriver::dragFrom(p, c.numbers.at(0), c.numbers.at(1), c.numbers.size() > 2 ? c.numbers[2] : 0.3);
    platform::RunLoop::main().runUntilIdle();
    return kScriptDone;
  }
  if (c.target) {
    target = findTarget(*c.target);
    if (!target) return fail(c, "nothing on screen matches " + c.target->describe() + "; on screen: " + TestDriver::dump());
  }
  if (name == "tap") TestDriver::tap(target);
  else if (name == "doubletap") TestDriver::doubleTap(target);
  else if (name == "longpress") TestDriver::longPress(target, c.numbers.empty() ? 1.0 : c.numbers[0]);
  else if (name == "drag") TestDriver::drag(target, c.numbers.at(0), c.numbers.at(1), c.numbers.size() > 2 ? c.numbers[2] : 0.3);
  else if (name == "swipe-back") TestDriver::edgeSwipe(5, 250, 0.2);
  else if (name == "type") {
    if (!TestDriver::typeText(c.texts.at(0))) return fail(c, "nothing is being edited");
  } else if (name == "return") {
    if (!TestDriver::pressReturn()) return fail(c, "nothing is being edited");
  } else if (name == "backspace") {
    if (!TestDriver::backspace(c.numbers.empty() ? 1 : static_cast<int>(c.numbers[0]))) return fail(c, "nothing is being edited");
  } else if (name == "tap-link") {
    auto web = platform::WebView::frontMostWebView();
    if (!web || !web->followLink(c.texts.at(0))) return fail(c, "no link \"" + c.texts[0] + "\" in a web page on screen");
  } else if (name == "dump") {
    out_ << TestDriver::dump(target.get()) << "\n";
  } else if (name == "screenshot") {
    std::string dir = screenshotDir_.empty() ? session_.options().out : screenshotDir_;
    if (!platform::render::renderScreen().writePng(platform::joinPath(dir, c.texts.at(0))))
      return fail(c, "cannot write " + c.texts[0]);
  } else if (name == "expect-text" || name == "expect-no-text") {
    bool shown = screenShowsText(c.texts.at(0));
    if (shown != (name == "expect-text"))
      return fail(c, std::string(shown ? "shown" : "not shown") + ": \"" + c.texts[0] + "\"; on screen: " + TestDriver::dump());
  } else if (name == "expect-screen") {
    auto screen = frontScreen();
    std::string found = screen ? screen->className() : "nothing";
    if (found != c.texts.at(0)) return fail(c, "the screen in front is " + found);
  } else {
    return unusable(c, "unknown command " + name);
  }
  platform::RunLoop::main().runUntilIdle();
  return kScriptDone;
}

}  // namespace vorn::shell
