#pragma once
// The application delegate: holder of the state that screens of different
// subsystems share (containers of the home screen and of each modal flow, the
// open city picker and comparison page, orientation, status bar, network status
// and flags one screen sets for another), the one notice box, the theme and
// version helpers every screen uses, and the requests sent at start-up.
//
// A modal flow (login, new thread, reply, private message, settings, board
// directory) creates a fresh ParentViewController, stores it in its property
// here, installs its first screen as the container's root child and presents
// it; when the flow closes it dismisses the container and sets the property back
// to null. Routing pushes onto the first open modal container, else onto the
// home container. Several flows can be open at once.
//
// All of it is read and written on the main thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
class CityChangViewController;
class CarCompareViewController;
class PyxoPhoto;
class PyxoPhotoBrowser;

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

  // ---- Screen routing and incoming addresses ---------------------------------
  // Shows a screen wherever the user is: posts "displayKeyboard", closes an open
  // city picker, then pushes the screen onto the first open modal container
  // (login, new thread, private message, board directory, settings, reply),
  // else onto the home container.
  void pushController(const std::shared_ptr<platform::ViewController>& controller);
  // The container pushController would push onto now (null before launch).
  std::shared_ptr<ParentViewController> frontNavigationController() const;
  // An address handed to the application: one holding the product word and a
  // query with "action" carseries, newsdetail, postdetail or main opens a series,
  // an article, a thread or a fresh home container; then the address goes to
  // Weibo ("com.sina.weibo") or WeChat ("com.tencent.xin") by source, whose
  // answer is returned (false for other sources).
  bool openURL(platform::Application& app, const std::string& url, const std::string& sourceApplication,
               const platform::Value& annotation) override;
  // Hands the address to Weibo and answers what it answered.
  bool handleOpenURL(platform::Application& app, const std::string& url) override;
  // The launch picture and the new-version guide while they are on screen; the
  // "main" route takes them off.
  const std::shared_ptr<platform::View>& launchImgView() const { return launchImgView_; }
  void setLaunchImgView(const std::shared_ptr<platform::View>& view) { launchImgView_ = view; }
  const std::shared_ptr<platform::View>& newFeaturesImgView() const { return newFeaturesImgView_; }
  void setNewFeaturesImgView(const std::shared_ptr<platform::View>& view) { newFeaturesImgView_ = view; }

 private:
  void routeIncomingQuery(const std::string& query);
  void rebuildHomeContainer();
  bool handOverToWeibo(const std::string& url);
  std::shared_ptr<platform::View> launchImgView_;
  std::shared_ptr<platform::View> newFeaturesImgView_;

 public:

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
  VORN_PROPERTY(std::shared_ptr<ParentViewController>, loginNavController, setLoginNavController, nullptr)
  VORN_PROPERTY(std::shared_ptr<ParentViewController>, postNewPostNavController, setPostNewPostNavController, nullptr)
  VORN_PROPERTY(std::shared_ptr<ParentViewController>, postNewMsgNavController, setPostNewMsgNavController, nullptr)
  VORN_PROPERTY(std::shared_ptr<ParentViewController>, forumListNavController, setForumListNavController, nullptr)
  VORN_PROPERTY(std::shared_ptr<ParentViewController>, settingsNavController, setSettingsNavController, nullptr)
  VORN_PROPERTY(std::shared_ptr<ParentViewController>, replyPostNavController, setReplyPostNavController, nullptr)
  VORN_PROPERTY(std::shared_ptr<CityChangViewController>, cityChangController, setCityChangController, nullptr)
  VORN_PROPERTY(std::shared_ptr<CarCompareViewController>, carcompareVC, setCarcompareVC, nullptr)
  VORN_PROPERTY(bool, shouldAutorate, setShouldAutorate, false)
  VORN_PROPERTY(int, currentOrientation, setCurrentOrientation, 0)
  VORN_PROPERTY(bool, statusBarIsHidden, setStatusBarIsHidden, false)
  VORN_PROPERTY(int, currentStatusBarStyle, setCurrentStatusBarStyle, 0)
  VORN_PROPERTY(int, networkStatus, setNetworkStatus, 0)
  VORN_PROPERTY(unsigned, bgTask, setBgTask, 0)
  VORN_PROPERTY(std::vector<std::shared_ptr<PyxoPhoto>>, photos, setPhotos, {})
  VORN_PROPERTY(int, currentEntryBrandType, setCurrentEntryBrandType, 0)
  VORN_PROPERTY(int, currentEntryCarSeriesType, setCurrentEntryCarSeriesType, 0)
  VORN_PROPERTY(bool, isTagFlag, setIsTagFlag, false)
  VORN_PROPERTY(bool, isCurrentViewController, setIsCurrentViewController, false)
  VORN_PROPERTY(bool, isEnterCilked, setIsEnterCilked, false)
  VORN_PROPERTY(bool, isActivityViewController, setIsActivityViewController, false)
  VORN_PROPERTY(bool, isRefreshCurrentViewController, setIsRefreshCurrentViewController, false)
  VORN_PROPERTY(bool, shouRefreshPost, setShouRefreshPost, false)
  VORN_PROPERTY(bool, shouRefreshPostList, setShouRefreshPostList, false)
  VORN_PROPERTY(bool, TimeStampFlag, setTimeStampFlag, false)
  VORN_PROPERTY(bool, dataConversionFlag, setDataConversionFlag, false)
  VORN_PROPERTY(int, SaveOrientation, setSaveOrientation, 0)
  VORN_PROPERTY(bool, ADDownSucFlag, setADDownSucFlag, false)
  VORN_PROPERTY(bool, ADBtnDownSucFlag, setADBtnDownSucFlag, false)
  VORN_PROPERTY(bool, shouldPopPush, setShouldPopPush, false)
  VORN_PROPERTY(bool, canPopPush, setCanPopPush, false)
  VORN_PROPERTY(bool, featuresShown, setFeaturesShown, false)
  VORN_PROPERTY(bool, whetherThePageRefreshForTheFirstTime, setWhetherThePageRefreshForTheFirstTime, false)
  VORN_PROPERTY(std::optional<std::string>, myOpenUDID, setMyOpenUDID, std::nullopt)
#undef VORN_PROPERTY

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

  // ---- Counts, pushes, prompts, location, read marks and network status ----
  // (AppDelegateLocation.cpp, AppDelegateNetwork.cpp, AppDelegatePush.cpp,
  // AppDelegatePrompts.cpp)

  // Registers the observers below: the badge, the location outcome, the
  // network status and the send queue's notices.
  void addServiceObservers();

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
  // The photo browser's data source over `photos`.
  std::size_t numberOfPhotosInPhotoBrowser(const PyxoPhotoBrowser& browser) const;
  std::shared_ptr<PyxoPhoto> photoAtIndex(const PyxoPhotoBrowser& browser, std::size_t index) const;
  void didDisplayPhotoAtIndex(const PyxoPhotoBrowser& browser, std::size_t index) const;

  // Pushes, the badge and the life events.
  void didRegisterForRemoteNotificationsWithDeviceToken(platform::Application& app, const std::string& token) override;
  void didReceiveRemoteNotification(platform::Application& app, const platform::Value& userInfo) override;
  void applicationDidEnterBackground(platform::Application& app) override;
  void applicationWillEnterForeground(platform::Application& app) override;
  void applicationDidBecomeActive(platform::Application& app) override;
  unsigned supportedInterfaceOrientationsForWindow(platform::Application& app) override;
  bool shouldAutorotate() const { return false; }
  // The observer of "SysMsgNumHelperGetMsgNumNotification".
  void reciveSysMsgNumHelperGetMsgNumNotification(const platform::Notification& notification);
  // The pending-push check after the start-up prompt: the card when one is due
  // and allowed, else the theme prompt when nothing else is on screen.
  void getPushData();
  // Puts the card of the pending push over the window and clears the pending push.
  void openPushCard();
  const std::string& pushNewsId() const { return pushNewsId_; }
  void setPushNewsId(const std::string& id) { pushNewsId_ = id; }
  int pushType() const { return pushType_; }
  void setPushType(int type) { pushType_ = type; }

  // Start-up prompts: at most one of the draft notice, the rating request and the
  // update notice, then getPushData.
  void showStartupPrompt();
  // The night or day offer, once per version each.
  void checkChangeThemeNofity();
  // Answers of the delegate's alerts (tags 100, 101, 401, 501, 502 as they close; 212 after).
  void willDismissWithButtonIndex(platform::AlertDialog& alertView, int buttonIndex);
  void didDismissWithButtonIndex(platform::AlertDialog& alertView, int buttonIndex);
  // The send queue's status-bar notices.
  void reciveSendBeginNotification(const platform::Notification& notification);
  void reciveSendPostImageSuccessNotification(const platform::Notification& notification);
  void reciveSendPostSuccessNotification(const platform::Notification& notification);
  void reciveSendPostFaildNotification(const platform::Notification& notification);

 private:
  std::shared_ptr<platform::AlertDialogDelegate> alertDelegate();
  void openDraftBox();
  std::shared_ptr<platform::View> CityView_;
  bool netWorkToastFlag_ = false;
  std::string pushNewsId_ = "0";
  int pushType_ = 1;
  std::shared_ptr<platform::AlertDialogDelegate> alertDelegate_;

 public:
  // ---- end of counts, pushes, prompts, location, read marks and network status ----
  // ---- Launch sequence, launch picture and launch advert ----------------------
  // The launch: services started, observers, push alias and the launch payload,
  // the start-up requests, the window around the home container, the city
  // chooser or the locator, the new-version guide, then the launch picture.
  bool didFinishLaunchingWithOptions(platform::Application& app, const platform::Value& options) override;
  // The launch advert request and its answer.
  void getADURL();
  // The display step: the advert (or a default picture) fades in, the progress
  // bar fills, the launch picture slides away; then the home screen and the prompt.
  void displayAD();
  // A tap on the launch picture: routes the advert by its type.
  void onClickAD();
  // Opens a picture set in the photo browser.
  void getPICData(const std::string& pictureSetId);
  // What the display step showed: "-1" the advert, "0"/"1" a default picture ("" before).
  const std::string& getADImgIndex() const { return ADImgIndex_; }
  void setADImgIndex(const std::string& index) { ADImgIndex_ = index; }
  // The launch picture and its parts while they exist (null once gone).
  const std::shared_ptr<platform::ImageView>& launchPicture() const { return launchPicture_; }
  const std::shared_ptr<platform::ImageView>& launchAdImgView() const { return launchAdImgView_; }
  const std::shared_ptr<platform::ImageView>& launchProgressView() const { return launchProgressView_; }
  bool timeStopFlag() const { return timeStopFlag_; }
  bool isLaunchTimerRunning() const { return launchTimer_ != 0; }
  // The number the default picture is chosen by (tests pin it); by default the
  // platform's generator seeded with the current second.
  void setLaunchRandomSource(std::function<long()> source) { launchRandom_ = std::move(source); }

 private:
  void startLaunchServices(platform::Application& app, const platform::Value& options);
  void readLaunchPayload(const platform::Value& options);
  void buildHomeWindow();
  void placeCityChooser();
  void showNewFeaturesIfNewVersion();
  void buildLaunchPicture();
  void startLaunchTimer();
  void handleLaunchAdvertAnswer(const platform::Value& answer);
  void handleAdvertPicture(const std::string& url, const platform::Value& answer);
  void handleAdvertButtonPicture(const std::string& url, const platform::Value& answer);
  void runLaunchSlides();
  void finishLaunchPicture();
  void handlePictureSetAnswer(const platform::Value& answer);

  std::shared_ptr<platform::ImageView> launchPicture_;
  std::shared_ptr<platform::ImageView> launchAdImgView_;
  std::shared_ptr<platform::ImageView> launchProgressView_;
  std::uint64_t launchTimer_ = 0;
  bool timeStopFlag_ = false;
  bool clickADFlag_ = false;
  std::string ADImgIndex_;
  std::function<long()> launchRandom_;

 public:


 private:
  void handleNewsAdvertAnswer(const platform::Value& answer);
  void handleCacheStampAnswer(const platform::Value& answer);
  void handleForumListMd5Answer(const platform::Value& answer);
  void handleForumListAnswer(const platform::Value& answer, const platform::Value& checksumRecord);
  void handleVersionAnswer(const platform::Value& answer);
  void countLaunch();

  std::shared_ptr<platform::ProgressHud> HUD_;
  bool shouldPopUpComment_ = false;
  bool shouldPopUpUpdate_ = false;
};

}  // namespace vorn
