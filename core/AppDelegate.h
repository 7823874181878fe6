#pragma once
// The application delegate as every screen sees it: the window and the home
// container, the theme and version helpers, the one notice box, routing a
// screen onto the container in front, the read marks and shortcuts, the
// requests sent at start-up, and the state the running application keeps for
// its flows (the modal containers, the car section's and the forum's). What
// knows every screen (the launch sequence, incoming addresses, pushes, prompts)
// is the application's own subclass, VornAppDelegate, one layer up.
//
// All of it is read and written on the main thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/CarSectionState.h"
#include "core/ForumFlowState.h"
#include "core/ModalContainers.h"
#include "platform/foundation/Value.h"
#include "platform/ui/ApplicationDelegate.h"
#include "platform/ui/Color.h"
#include "platform/ui/ProgressHud.h"

namespace platform {
class Image;
class ImageView;
class View;
class Window;
namespace services {
struct WeiboResponse;
}
class Application;
class AlertDialog;
class AlertDialogDelegate;
struct Notification;
}  // namespace platform

// Used by the routing operations.
namespace platform {
class ViewController;
}  // namespace platform

namespace vorn {

class ParentViewController;
class RootViewController;

// Theme.
inline constexpr char kThemeMode[] = "ThemeMode";
inline constexpr char kThemeModeNormal[] = "ThemeModeNormal";
inline constexpr char kThemeModeBlack[] = "ThemeModeBlack";
inline constexpr char kThemeChangeNotify[] = "ThemeChangeNotify";
// The mobile-number pattern the sign-up, inquiry and message forms test with.
inline constexpr char kMobileNumberPattern[] =
    "^(13[0-9]{1}[0-9]{8}|15[0-9]{1}[0-9]{8}|18[0-9]{1}[0-9]{8}|147[0-9]{8}|170[0-9]{8})$";

// Notices.
inline constexpr char kNetworkNoticeText[] = "网络不稳定，请稍后再试";
inline constexpr char kCompareFullNoticeText[] = "您最多只能添加4款对比车型";
inline constexpr double kNoticeSeconds = 1.5;

class AppDelegate : public platform::ApplicationDelegate,
                    public platform::ProgressHudDelegate,
                    public std::enable_shared_from_this<AppDelegate> {
 public:
  // The shared application's delegate; made and installed there on first use.
  // The application (and each test) installs a fresh one with setSharedAppDelegate.
  static std::shared_ptr<AppDelegate> sharedAppDelegate();
  static void setSharedAppDelegate(std::shared_ptr<AppDelegate> delegate);

  AppDelegate();
  ~AppDelegate() override;

  // ---- Theme and version helpers -------------------------------------------
  // "ThemeModeBlack" when the stored "ThemeMode" says so, else "ThemeModeNormal".
  static std::string getCurrentMode();
  // Stores the mode, synchronises the user defaults and posts "ThemeChangeNotify".
  static void switchThemeMode(const std::string& mode, const void* poster = nullptr);
  // The bundle version ("CFBundleVersion"), sent as "ver".
  static std::string getCurrentVersion();
  // A colour from six hexadecimal digits ("35A0D9"). A text shorter than six
  // characters, or a pair that does not start with a hexadecimal digit, gives
  // kFallbackColor.
  static platform::Color getColor(const std::string& hex);
  static const platform::Color kFallbackColor;
  // Whether the pattern matches anywhere in the text; false for a pattern that
  // does not compile, and for the reserved test numbers under the mobile pattern.
  static bool numberIsValid(const std::string& number, const std::string& pattern);

  // ---- Notices ---------------------------------------------------------------
  // "网络不稳定，请稍后再试" / "您最多只能添加4款对比车型" when no notice is showing.
  void responseNetWork();
  void responseCompareFull();
  // The notice box: a text notice (ProgressHud) shown animated on the window
  // and gone after 1.5 s, unless one is showing (then the new one is
  // dropped). Returns whether it was shown.
  bool showNotice(const std::string& text);
  // The notice's hidden report: takes it away so that the next one can show.
  void hudWasHidden();
  void hudWasHidden(platform::ProgressHud& hud) override;
  const std::shared_ptr<platform::ProgressHud>& HUD() const { return HUD_; }

  // ---- Start-up requests -----------------------------------------------------
  // Fires the news advert, cache stamp, forum-list checksum and latest version
  // requests, in that order (the launch advert is the launch picture's).
  void sendStartupRequests();
  void newsAdvert_pic();
  void requestCacheTimeStamp();
  void requestForumListMd5();
  void requestLatestVersion();
  // Fetches the board list after a changed checksum; `checksumRecord` is kept once the list is stored.
  void requestForumList(const platform::Value& checksumRecord);
  // Unregisters the device registration stored under "deviceNo" at the forum host.
  void removeOldVersionPushToken();
  // From now on, each of the push service's network logins calls removeOldVersionPushToken.
  void observePushServiceLogin();
  // Deletes Documents/data.sqlite3 on a background thread; `done` (optional) runs
  // on the main thread afterwards.
  void cleanDatabase(std::function<void()> done = {});

  bool shouldPopUpComment() const { return shouldPopUpComment_; }
  bool shouldPopUpUpdate() const { return shouldPopUpUpdate_; }
  void setShouldPopUpComment(bool v) { shouldPopUpComment_ = v; }
  void setShouldPopUpUpdate(bool v) { shouldPopUpUpdate_ = v; }

  // The pending-push check once the new-version guide has gone: the
  // application's delegate shows the card of a pending push, or the theme prompt.
  virtual void getPushData() {}

  // ---- Screen routing ------------------------------------------------------------
  // Shows a screen wherever the user is: posts "displayKeyboard", closes an open
  // city picker, then pushes the screen onto the first open modal container
  // (login, new thread, private message, board directory, settings, reply),
  // else onto the home container.
  void pushController(const std::shared_ptr<platform::ViewController>& controller);
  // The container pushController would push onto now (null before launch).
  std::shared_ptr<ParentViewController> frontNavigationController() const;

  // ---- Shared state ----------------------------------------------------------
#define VORN_PROPERTY(Type, name, Setter, init)       \
  const Type& name() const { return name##_; }       \
  void Setter(const Type& value) { name##_ = value; } \
                                                      \
 private:                                             \
  Type name##_ = init;                                \
                                                      \
 public:

  VORN_PROPERTY(std::shared_ptr<platform::Window>, window, setWindow, nullptr)
  VORN_PROPERTY(std::shared_ptr<RootViewController>, viewController, setViewController, nullptr)
  VORN_PROPERTY(std::shared_ptr<ParentViewController>, homePageNavigationController, setHomePageNavigationController, nullptr)
  VORN_PROPERTY(bool, shouldAutorate, setShouldAutorate, false)
  VORN_PROPERTY(int, currentOrientation, setCurrentOrientation, 0)
  VORN_PROPERTY(bool, statusBarIsHidden, setStatusBarIsHidden, false)
  VORN_PROPERTY(int, currentStatusBarStyle, setCurrentStatusBarStyle, 0)
  VORN_PROPERTY(int, networkStatus, setNetworkStatus, 0)
  VORN_PROPERTY(unsigned, bgTask, setBgTask, 0)
  VORN_PROPERTY(bool, isTagFlag, setIsTagFlag, false)
  VORN_PROPERTY(bool, isCurrentViewController, setIsCurrentViewController, false)
  VORN_PROPERTY(int, SaveOrientation, setSaveOrientation, 0)
  VORN_PROPERTY(bool, ADDownSucFlag, setADDownSucFlag, false)
  VORN_PROPERTY(bool, ADBtnDownSucFlag, setADBtnDownSucFlag, false)
  VORN_PROPERTY(bool, shouldPopPush, setShouldPopPush, false)
  VORN_PROPERTY(bool, canPopPush, setCanPopPush, false)
  VORN_PROPERTY(bool, featuresShown, setFeaturesShown, false)
  VORN_PROPERTY(bool, whetherThePageRefreshForTheFirstTime, setWhetherThePageRefreshForTheFirstTime, false)
  VORN_PROPERTY(std::optional<std::string>, myOpenUDID, setMyOpenUDID, std::nullopt)
#undef VORN_PROPERTY

  // The flows' own state (each kept by the running application, fresh with it).
  ModalContainers& modalContainers() { return modalContainers_; }
  CarSectionState& carSection() { return carSection_; }
  ForumFlowState& forumFlow() { return forumFlow_; }

  // ---- Share and login hand-back ----------------------------------------------
  // Shares a web page to WeChat: `ext`'s first item is the page address, `scene`
  // 0 a chat, 1 the moments. Opens WeChat's install address when WeChat is
  // missing (and still tries); sends nothing for an empty list; a refused send
  // is tried once more with the application icon as thumbnail.
  static void sendAppContentWithTitle(const std::string& title, const std::string& desc,
                                      const std::shared_ptr<const platform::Image>& image,
                                      const std::vector<std::string>& ext, int scene);
  // What Weibo hands back: requests are ignored; a share answer shows
  // "分享成功" or "分享失败"; a complete authorisation is stored as
  // "SinaWeiboAuthData" and announced with "SinaLogIn".
  void didReceiveWeiboRequest(const platform::services::WeiboResponse& request);
  void didReceiveWeiboResponse(const platform::services::WeiboResponse& response);

  // ---- Location, read marks, shortcuts and network status ----------------------
  // (AppDelegateLocation.cpp, AppDelegateNetwork.cpp)

  // Location: the observer of "GetLocationInfo". The first result after launch
  // decides isTagFlag when a city was chosen before; on the first run a located
  // city with a non-empty id becomes the chosen city and the chooser goes away.
  void doGetLocationInfo(const platform::Notification& notification);
  // The first run's city chooser over the window (set by the launch sequence
  // while it is up; the new-version guide is newFeaturesImgView).
  const std::shared_ptr<platform::View>& CityView() const { return CityView_; }
  void setCityView(std::shared_ptr<platform::View> view) { CityView_ = std::move(view); }

  // Read marks: ids of articles ("newsIDHistory.plist") and threads
  // ("postIDHistory.plist") already opened, at most 500 per list, oldest first.
  void saveNewsIDHistory(const std::string& listFile, const platform::Value& newsID);
  bool searchNewsIDHistory(const std::string& listFile, const platform::Value& newsID);
  // Home shortcuts: type 1 boards, 0 series; nullopt for an absent file or another type.
  static std::optional<platform::Value> loadShortCutArrWithType(int type);
  static void saveShortCutArr(const platform::Value& array, int type);
  // The HTTP layer's reachability change: stored, and announced from the second change on.
  void networkChanged(const platform::Notification& notification);
  int getCurrentNetworkStatus() const { return networkStatus(); }
  bool netWorkToastFlag() const { return netWorkToastFlag_; }

  // The launch picture and the new-version guide while they are on screen.
  const std::shared_ptr<platform::View>& launchImgView() const { return launchImgView_; }
  void setLaunchImgView(const std::shared_ptr<platform::View>& view) { launchImgView_ = view; }
  const std::shared_ptr<platform::View>& newFeaturesImgView() const { return newFeaturesImgView_; }
  void setNewFeaturesImgView(const std::shared_ptr<platform::View>& view) { newFeaturesImgView_ = view; }

 private:
  void handleNewsAdvertAnswer(const platform::Value& answer);
  void handleCacheStampAnswer(const platform::Value& answer);
  void handleForumListMd5Answer(const platform::Value& answer);
  void handleForumListAnswer(const platform::Value& answer, const platform::Value& checksumRecord);
  void handleVersionAnswer(const platform::Value& answer);
  void countLaunch();

  std::shared_ptr<platform::View> launchImgView_;
  std::shared_ptr<platform::View> newFeaturesImgView_;
  std::shared_ptr<platform::View> CityView_;
  bool netWorkToastFlag_ = false;
  ModalContainers modalContainers_;
  CarSectionState carSection_;
  ForumFlowState forumFlow_;
  std::shared_ptr<platform::ProgressHud> HUD_;
  bool shouldPopUpComment_ = false;
  bool shouldPopUpUpdate_ = false;
};

}  // namespace vorn
