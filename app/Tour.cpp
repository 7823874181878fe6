#include "app/Tour.h"

#include <functional>
#include <ostream>
#include <vector>

#include "account/UserLoginViewController.h"
#include "app/DesktopWindow.h"
#include "app/Script.h"
#include "app/ScriptRunner.h"
#include "app/Session.h"
#include "cars/compare/CarCompareViewController.h"
#include "cars/series/CarViewController.h"
#include "core/AppDelegate.h"
#include "core/LaunchKeys.h"
#include "core/ParentViewController.h"
#include "core/StartupPrompts.h"
#include "dealers/CityChangViewController.h"
#include "dealers/SmsPriceViewController.h"
#include "forum/compose/DraftBoxController.h"
#include "messages/MessageContentController2.h"
#include "messages/MessageContentViewController.h"
#include "messages/PostNewMsgViewController.h"
#include "net/PortalHosts.h"
#include "news/NewsCommentListViewController.h"
#include "ui/PyxoPhotoBrowser.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "ui/WebViewController.h"

namespace vorn::shell {

namespace {

constexpr char kHomeScreen[] = "RootViewController";

// What the visited screens are opened with: the demo portal's article, thread,
// series, event page and picture set.
constexpr char kTourNewsId[] = "1001";
constexpr char kTourPostId[] = "2001";
constexpr char kTourSeriesId[] = "3001";
constexpr char kTourSeriesName[] = "沃恩轿跑";
constexpr char kTourEventPagePath[] = "/event/spring-drive.html";
constexpr char kTourPictureSetId[] = "tour";

// The first screens: the visitor has chosen a city, seen this version's guide
// and been offered this version's themes before, so the launch runs its full
// course without a prompt: the launch picture, the advert after its 2.0 s wait
// (the demo portal's advert is fetched meanwhile), the slides, then the home
// container.
std::string launchScript() {
  const std::string version = AppDelegate::getCurrentVersion();
  return std::string("defaults-set ") + kCityChosenFlag + " \"1\"\n"
         "defaults-set " + platform::replaceAll(kFeatureKeyFormat, "%@", version) + " \"" + kFeatureDone + "\"\n"
         "defaults-set " + kThemeVersionKey + " \"" + platform::Bundle::mainBundle().bundleVersion() + "\"\n"
         "defaults-set " + kThemeBlackHasAlertKey + " true\n"
         "defaults-set " + kThemeNormalHasAlertKey + " true\n"
         "launch\n"
         "wait 0.5\n"
         "screenshot \"01-launch-picture.png\"\n"
         "wait 2.5\n"
         "screenshot \"02-launch-advert.png\"\n"
         "wait 4\n"
         "settle\n"
         "expect-screen " + kHomeScreen + "\n"
         "screenshot \"03-home.png\"\n";
}

std::string productAddress(const std::string& query) { return "vorn5://open?" + query; }

std::string withId(const char* pathFormat, const std::string& id) { return platform::replaceAll(pathFormat, "%@", id); }

// ---- Openers of the screens no address reaches, as their openers in the app do ----

void pushScreen(const std::shared_ptr<platform::ViewController>& screen) {
  AppDelegate::sharedAppDelegate()->pushController(screen);
}

// A modal flow: a fresh container around its first screen, presented over the
// home container.
std::shared_ptr<ParentViewController> presentInContainer(const std::shared_ptr<platform::ViewController>& first) {
  auto container = std::make_shared<ParentViewController>();
  container->addChildViewController(first);
  container->view()->addSubview(first->view());
  container->refreshMarginValue(0);
  first->view()->setFrame({0, 0, 320, platform::Screen::mainScreen().isTall() ? 568.0 : 480.0});
  if (auto home = AppDelegate::sharedAppDelegate()->homePageNavigationController())
    home->presentViewController(container, true);
  return container;
}

void dismissModal() {
  if (auto home = AppDelegate::sharedAppDelegate()->homePageNavigationController()) home->dismissViewController(true);
}

constexpr char kSwipeBack[] = "swipe-back\n";
// The screen's own back button, top left in its bar, for the screens whose
// page (a web page, a picture) takes the edge swipe.
constexpr char kOwnBackButton[] = "tap @25,45\n";

struct Stop {
  std::string picture;         // the file written
  std::string screen;          // the class in front once it is open
  std::string openScript;      // script lines that open it, when an address does
  std::function<void()> open;  // else how its opener opens it
  std::string leaveScript;     // script lines that return home, or
  std::function<void()> leave;  // how home comes back otherwise
};

std::vector<Stop> stops() {
  auto delegate = [] { return AppDelegate::sharedAppDelegate(); };
  std::vector<Stop> list;
  list.push_back({"news-article", "NewsContentViewController",
                  "open-url \"" + productAddress(std::string("action=newsdetail&newsId=") + kTourNewsId) + "\"\n", {},
                  kSwipeBack, {}});
  list.push_back({"news-comments", "NewsCommentListViewController", "",
                  [] {
                    auto page = std::make_shared<NewsCommentListViewController>();
                    page->setNewsUrl(PortalHosts::url(PortalHost::MobileWeb, withId(kCommentPagePathFormat, kTourNewsId)));
                    page->setWebLink(PortalHosts::url(PortalHost::MobileWeb, withId(kAdvertArticlePathFormat, kTourNewsId)));
                    page->setNewsId(kTourNewsId);
                    pushScreen(page);
                  },
                  kSwipeBack, {}});
  list.push_back({"post-content", "PostContentViewController",
                  "open-url \"" + productAddress(std::string("action=postdetail&postId=") + kTourPostId) + "\"\n", {},
                  kSwipeBack, {}});
  list.push_back({"car-series", "CarSeriesViewController",
                  "open-url \"" + productAddress(std::string("action=carseries&seriesId=") + kTourSeriesId +
                                                 "&seriesName=" + kTourSeriesName) + "\"\n",
                  {}, kSwipeBack, {}});
  list.push_back({"car", "CarViewController", "", [] { pushScreen(std::make_shared<CarViewController>()); },
                  kSwipeBack, {}});
  list.push_back({"car-compare", "CarCompareViewController", "",
                  [delegate] {
                    auto page = std::make_shared<CarCompareViewController>();
                    delegate()->setCarcompareVC(page);
                    pushScreen(page);
                  },
                  "",
                  // No swipe begins on the comparison page: its own back pops it.
                  [] {
                    if (auto home = AppDelegate::sharedAppDelegate()->homePageNavigationController())
                      home->popChildViewController();
                  }});
  list.push_back({"price-inquiry", "SmsPriceViewController", "",
                  [] {
                    auto page = std::make_shared<SmsPriceViewController>();
                    page->setSeriesID(kTourSeriesId);
                    page->setSeriesNam(kTourSeriesName);
                    page->setCarID("0");
                    page->setCarName(kTourSeriesName);
                    page->setIsTitleReplacement(0);
                    pushScreen(page);
                  },
                  kSwipeBack, {}});
  list.push_back({"city-change", "CityChangViewController", "",
                  [delegate] {
                    auto picker = std::make_shared<CityChangViewController>();
                    delegate()->setCityChangController(picker);
                    if (auto home = delegate()->homePageNavigationController()) home->presentViewController(picker, true);
                  },
                  "",
                  [delegate] {
                    dismissModal();
                    delegate()->setCityChangController(nullptr);
                  }});
  list.push_back({"web-page", "WebViewController", "",
                  [] {
                    auto page = std::make_shared<WebViewController>();
                    page->setTitleName(kAdvertEventTitle);
                    page->setURL(PortalHosts::url(PortalHost::MobileWeb, kTourEventPagePath));
                    pushScreen(page);
                  },
                  kOwnBackButton, {}});
  list.push_back({"photo-browser", "PyxoPhotoBrowser", "",
                  [delegate] { delegate()->getPICData(kTourPictureSetId); }, kOwnBackButton, {}});
  list.push_back({"login", "UserLoginViewController", "",
                  [delegate] { delegate()->setLoginNavController(presentInContainer(std::make_shared<UserLoginViewController>())); },
                  "",
                  [delegate] {
                    dismissModal();
                    delegate()->setLoginNavController(nullptr);
                  }});
  list.push_back({"messages", "MessageContentController2", "",
                  [] { pushScreen(std::make_shared<MessageContentController2>()); }, kSwipeBack, {}});
  list.push_back({"message-history", "MessageContentViewController", "",
                  [] { pushScreen(std::make_shared<MessageContentViewController>()); }, kSwipeBack, {}});
  list.push_back({"new-message", "PostNewMsgViewController", "",
                  [delegate] {
                    delegate()->setPostNewMsgNavController(presentInContainer(std::make_shared<PostNewMsgViewController>()));
                  },
                  "",
                  [delegate] {
                    dismissModal();
                    delegate()->setPostNewMsgNavController(nullptr);
                  }});
  list.push_back({"draft-box", "DraftBoxController", "", [] { pushScreen(std::make_shared<DraftBoxController>()); },
                  kSwipeBack, {}});
  return list;
}

std::string numbered(int n, const std::string& name) {
  return (n < 10 ? "0" : "") + std::to_string(n) + "-" + name + ".png";
}

// Waits out a push or presentation and what it loads.
constexpr char kLetItArrive[] = "wait 0.6\nsettle\n";

}  // namespace

std::vector<std::string> tourPictures() {
  std::vector<std::string> names = {"01-launch-picture.png", "02-launch-advert.png", "03-home.png"};
  int n = static_cast<int>(names.size());
  for (const auto& stop : stops()) names.push_back(numbered(++n, stop.picture));
  return names;
}

int runTour(Session& session, const std::string& folder, std::ostream& out, std::ostream& err) {
  if (!platform::createDirectory(folder)) {
    err << "cannot write the tour into " << folder << "\n";
    return kScriptUnreadable;
  }
  ScriptRunner runner(session, out, err, folder);
  auto run = [&](const std::string& where, const std::string& script) {
    int status = runner.run(parseScript(script));
    if (status != kScriptDone) err << "tour: stopped at " << where << "\n";
    return status;
  };
  if (int status = run("the launch", launchScript()); status != kScriptDone) return status;

  int n = 3;
  for (const auto& stop : stops()) {
    const std::string picture = numbered(++n, stop.picture);
    if (!stop.openScript.empty()) {
      if (int status = run(picture, stop.openScript); status != kScriptDone) return status;
    } else {
      stop.open();
    }
    std::string look = std::string(kLetItArrive) + "expect-screen " + stop.screen + "\nscreenshot \"" + picture + "\"\n";
    if (int status = run(picture, look); status != kScriptDone) return status;

    if (stop.leave) {
      stop.leave();
    } else if (int status = run(picture, stop.leaveScript); status != kScriptDone) {
      return status;
    }
    std::string back = std::string(kLetItArrive) + "expect-screen " + kHomeScreen + "\n";
    if (int status = run("the way back from " + picture, back); status != kScriptDone) return status;
  }
  out << "tour: " << n << " pictures in " << folder << "\n";
  return kScriptDone;
}

int runWindow(Session& session, std::ostream& err) {
  if (!desktopDisplayAvailable()) {
    err << "vorn: no display for a window; use --tour DIR or --script FILE\n";
    return kScriptUnreadable;
  }
  WindowOptions window;
  window.heightPoints = session.options().device;
  window.onOpen = [&session] { session.launch(); };
  return runDesktopWindow(window);
}

}  // namespace vorn::shell
