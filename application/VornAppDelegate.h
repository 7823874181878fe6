#pragma once
// The application delegate the platform runs: the core delegate (what every
// screen uses) plus what only the application knows, as it knows every screen:
// the launch sequence with its launch picture and advert, incoming addresses,
// pushes and their cards, the start-up prompts, the photo browser of a picture
// set, and the openers it installs for the shared components.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/AppDelegate.h"

namespace platform {
class ImageView;
}

namespace vorn {

class PyxoPhoto;
class PyxoPhotoBrowser;

class VornAppDelegate : public AppDelegate {
 public:
  // The running application's delegate (installed by the launch or a test; a
  // fresh one is made and installed when none is).
  static std::shared_ptr<VornAppDelegate> shared();

  VornAppDelegate();
  ~VornAppDelegate() override;
  // This delegate, weakly, for callbacks.
  std::weak_ptr<VornAppDelegate> weakApp() {
    return std::static_pointer_cast<VornAppDelegate>(weak_from_this().lock());
  }

  // ---- Incoming addresses ----------------------------------------------------------
  // An address handed to the application: one holding the product word and a
  // query with "action" carseries, newsdetail, postdetail or main opens a series,
  // an article, a thread or a fresh home container; then the address goes to
  // Weibo ("com.sina.weibo") or WeChat ("com.tencent.xin") by source, whose
  // answer is returned (false for other sources).
  bool openURL(platform::Application& app, const std::string& url, const std::string& sourceApplication,
               const platform::Value& annotation) override;
  // Hands the address to Weibo and answers what it answered.
  bool handleOpenURL(platform::Application& app, const std::string& url) override;

  // Registers the observers of the services: the badge, the location outcome,
  // the network status and the send queue's notices.
  void addServiceObservers();

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
  void getPushData() override;
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


  // ---- Picture sets ------------------------------------------------------------
  const std::vector<std::shared_ptr<PyxoPhoto>>& photos() const { return photos_; }
  void setPhotos(const std::vector<std::shared_ptr<PyxoPhoto>>& photos) { photos_ = photos; }
  // The photo browser's data source over `photos`.
  std::size_t numberOfPhotosInPhotoBrowser(const PyxoPhotoBrowser& browser) const;
  std::shared_ptr<PyxoPhoto> photoAtIndex(const PyxoPhotoBrowser& browser, std::size_t index) const;
  void didDisplayPhotoAtIndex(const PyxoPhotoBrowser& browser, std::size_t index) const;


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

  void routeIncomingQuery(const std::string& query);
  void rebuildHomeContainer();
  bool handOverToWeibo(const std::string& url);
  std::shared_ptr<platform::AlertDialogDelegate> alertDelegate();
  void openDraftBox();

  std::vector<std::shared_ptr<PyxoPhoto>> photos_;
  std::string pushNewsId_ = "0";
  int pushType_ = 1;
  std::shared_ptr<platform::AlertDialogDelegate> alertDelegate_;
};

}  // namespace vorn
