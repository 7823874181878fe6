// The launch picture and the launch advert: a light page with the logo band
// that covers the window while the advert is fetched (2.0 s at most), then the
// advert (or a default picture) fades in, a bar fills and the page slides away
// to the left; a tap on the advert opens what it advertises.
#include <cstdlib>

#include "application/VornAppDelegate.h"
#include "core/LaunchKeys.h"
#include "forum/thread/PostContentViewController.h"
#include "home/RootViewController.h"
#include "net/PortalHosts.h"
#include "net/Vorn5APIClient.h"
#include "net/Vorn5CacheClient.h"
#include "news/NewsContentViewController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Url.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/UsageAnalytics.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TapGestureRecognizer.h"
#include "platform/ui/Window.h"
#include "ui/PyxoPhoto.h"
#include "ui/PyxoPhotoBrowser.h"
#include "ui/WebViewController.h"

namespace vorn {
namespace {

using platform::Color;

// Advert pictures are fetched only from web addresses.
bool isWebAddress(const std::string& url) {
  const auto parsed = platform::parseUrl(url);
  return parsed && (parsed->scheme == "http" || parsed->scheme == "https");
}

platform::UserDefaults& defaults() { return platform::UserDefaults::standardUserDefaults(); }

}  // namespace

// ---- Building and starting ---------------------------------------------------

void VornAppDelegate::buildLaunchPicture() {
  const bool tall = platform::Screen::mainScreen().hasTallMode();
  const platform::Rect screen = platform::Screen::mainScreen().bounds();
  const double width = screen.width();
  const double height = screen.height();

  launchPicture_ = platform::ImageView::create({0, 0, width, height});
  launchPicture_->setBackgroundColor(Color::rgb255(236, 236, 236));
  launchPicture_->setUserInteractionEnabled(true);
  std::weak_ptr<VornAppDelegate> weak = weakApp();
  auto tap = std::make_shared<platform::TapGestureRecognizer>([weak](platform::GestureRecognizer&) {
    if (auto self = weak.lock()) self->onClickAD();
  });
  launchPicture_->addGestureRecognizer(tap);

  launchAdImgView_ = platform::ImageView::create({0, tall ? 0.0 : -44.0, 320, 458});
  launchAdImgView_->setAlpha(0);
  launchPicture_->addSubview(launchAdImgView_);
  auto band = platform::View::create({0, window()->frame().height() - 110, 320, 110});
  band->setBackgroundColor(Color::rgb255(236, 236, 236));
  launchPicture_->addSubview(band);
  auto logo = platform::ImageView::create({17, tall ? 494.0 : 406.0, 285, 40});
  logo->setImage(platform::Image::imageNamed(kLaunchLogoImage));
  launchPicture_->addSubview(logo);
  launchProgressView_ = platform::ImageView::create({0, tall ? 458.0 : 370.0, 0, 3});
  launchProgressView_->setBackgroundColor(Color::rgb255(53, 160, 217));
  launchPicture_->addSubview(launchProgressView_);
  window()->addSubview(launchPicture_);
  setLaunchImgView(launchPicture_);

  setADDownSucFlag(false);
  timeStopFlag_ = false;
  setADBtnDownSucFlag(false);
  clickADFlag_ = false;

  // On the next pass of the main loop: with the new-version guide up the
  // picture hides at once; otherwise the wait for the advert begins.
  platform::View::animate(0, [] {}, [weak](bool) {
    auto self = weak.lock();
    if (!self || !self->launchPicture_) return;
    if (self->featuresShown()) {
      self->launchPicture_->setHidden(true);
      return;
    }
    if (self->launchTimer_ == 0 && !self->timeStopFlag_) self->startLaunchTimer();
  });
}

void VornAppDelegate::startLaunchTimer() {
  std::weak_ptr<VornAppDelegate> weak = weakApp();
  launchTimer_ = platform::dispatchAfter(kLaunchAdvertWait, [weak] {
    if (auto self = weak.lock()) {
      self->launchTimer_ = 0;
      // A firing that comes after the display step has begun does nothing.
      if (!self->timeStopFlag_) self->displayAD();
    }
  });
}

// ---- The advert request and its answers -----------------------------------------

void VornAppDelegate::getADURL() {
  std::weak_ptr<VornAppDelegate> weak = weakApp();
  platform::Value parameters = platform::dictionary();
  parameters["type"] = "1";
  Vorn5APIClient::fetch(PortalHosts::url(PortalHost::CarData, kLaunchAdvertPath), parameters, {},
        [weak](const platform::Value& answer, const std::optional<ApiError>&) {
          if (auto self = weak.lock()) self->handleLaunchAdvertAnswer(answer);
        });
}

void VornAppDelegate::handleLaunchAdvertAnswer(const platform::Value& answer) {
  if (answer.is_null()) return;  // the timer shows a default picture
  auto& store = defaults();
  store.removeObject(kAdInfo);
  store.removeObject(kAdPicUrl);
  store.removeObject(kAdBtnPicUrl);
  store.synchronize();

  const auto parsed = parsedAnswer(answer);
  if (!parsed || !platform::isDictionary(*parsed) || platform::plainTextOf(*parsed, "status") != "1") {
    setADDownSucFlag(false);
    setADBtnDownSucFlag(false);
    return;
  }
  // A property list cannot hold nulls: they are stored as absent.
  platform::Value record = platform::dictionary();
  for (auto it = parsed->begin(); it != parsed->end(); ++it)
    if (!it.value().is_null()) record[it.key()] = it.value();
  store.setObject(kAdInfo, record);
  store.synchronize();

  auto& caches = Vorn5CacheClient::sharedClient();
  std::weak_ptr<VornAppDelegate> weak = weakApp();

  const platform::Value& picture = platform::valueFor(*parsed, "imgUrl");
  if (picture.is_null()) {
    if (!timeStopFlag_) setADDownSucFlag(true);
  } else {
    const std::string url = platform::plainTextOf(picture);
    store.setString(kAdPicUrl, url);
    store.synchronize();
    if (caches.loadAdCacheWithKey(url)) {
      if (!timeStopFlag_) setADDownSucFlag(true);
    } else if (isWebAddress(url)) {
      Vorn5APIClient::fetch(url, platform::Value(), {},
            [weak, url](const platform::Value& bytes, const std::optional<ApiError>&) {
              if (auto self = weak.lock()) self->handleAdvertPicture(url, bytes);
            });
    } else {
      handleAdvertPicture(url, platform::Value());
    }
  }

  const platform::Value& button = platform::valueFor(*parsed, "imgUrl1");
  const std::string buttonUrl = button.is_null() ? std::string() : platform::plainTextOf(button);
  if (buttonUrl.empty()) {
    if (!timeStopFlag_) setADBtnDownSucFlag(true);
  } else {
    const bool cached = caches.loadAdCacheWithKey(buttonUrl).has_value();
    store.setString(kAdBtnPicUrl, buttonUrl);
    store.synchronize();
    if (cached) {
      if (!timeStopFlag_) setADBtnDownSucFlag(true);
    } else if (isWebAddress(buttonUrl)) {
      Vorn5APIClient::fetch(buttonUrl, platform::Value(), {.loadCache = true, .saveCache = true},
            [weak, buttonUrl](const platform::Value& bytes, const std::optional<ApiError>&) {
              if (auto self = weak.lock()) self->handleAdvertButtonPicture(buttonUrl, bytes);
            });
    } else {
      handleAdvertButtonPicture(buttonUrl, platform::Value());
    }
  }

  if (!timeStopFlag_ && ADDownSucFlag() && ADBtnDownSucFlag()) {
    timeStopFlag_ = true;
    displayAD();
  }
}

void VornAppDelegate::handleAdvertPicture(const std::string& url, const platform::Value& answer) {
  auto& store = defaults();
  const platform::Bytes bytes = platform::bytesOf(answer);
  if (bytes.empty()) {
    store.removeObject(kAdInfo);
    store.removeObject(kAdPicUrl);
    store.synchronize();
    setADDownSucFlag(false);
    return;
  }
  Vorn5CacheClient::sharedClient().saveAdCache(bytes, url);
  store.setString(kAdPicUrl, url);
  store.synchronize();
  if (!timeStopFlag_) {
    setADDownSucFlag(true);
  } else {
    // Too late for this launch: kept for the next one, and no taps on the default picture.
    store.removeObject(kAdInfo);
    store.synchronize();
  }
}

void VornAppDelegate::handleAdvertButtonPicture(const std::string& url, const platform::Value& answer) {
  auto& store = defaults();
  const platform::Bytes bytes = platform::bytesOf(answer);
  if (bytes.empty()) {
    store.removeObject(kAdBtnPicUrl);
    store.synchronize();
    setADBtnDownSucFlag(false);
    return;
  }
  Vorn5CacheClient::sharedClient().saveAdCache(bytes, url);
  store.setString(kAdBtnPicUrl, url);
  store.synchronize();
  if (!timeStopFlag_) setADBtnDownSucFlag(true);
}

// ---- The display step --------------------------------------------------------------

void VornAppDelegate::displayAD() {
  timeStopFlag_ = true;
  if (launchTimer_ != 0) {
    platform::RunLoop::main().cancel(launchTimer_);
    launchTimer_ = 0;
  }
  if (!launchPicture_) return;

  std::shared_ptr<platform::Image> picture;
  const auto advert = defaults().stringForKey(kAdPicUrl);
  if (ADDownSucFlag() && advert) {
    // An advert whose cached file has gone (or does not decode) falls back to a
    // default picture, which cannot be tapped.
    if (auto bytes = Vorn5CacheClient::sharedClient().loadAdCacheWithKey(*advert)) {
      picture = platform::Image::imageWithData(std::string(bytes->begin(), bytes->end()));
      if (picture) ADImgIndex_ = "-1";
    }
  }
  if (!picture) {
    long number = 0;
    if (launchRandom_) {
      number = launchRandom_();
    } else {
      srandom(static_cast<unsigned>(platform::RunLoop::main().now()));
      number = random();
    }
    const bool first = std::to_string(number % 2) == "0";
    picture = platform::Image::imageNamed(first ? kDefaultBootImage1 : kDefaultBootImage2);
    ADImgIndex_ = first ? "0" : "1";
  }
  launchAdImgView_->setImage(picture);
  runLaunchSlides();
}

void VornAppDelegate::runLaunchSlides() {
  std::weak_ptr<VornAppDelegate> weak = weakApp();
  auto picture = launchPicture_;
  auto advert = launchAdImgView_;
  auto progress = launchProgressView_;
  const platform::Rect start = picture->frame();
  const double width = platform::Screen::mainScreen().bounds().width();
  auto slide = [picture, start](double x) {
    return [picture, start, x] { picture->setFrame({x, start.y(), start.width(), start.height()}); };
  };
  auto finish = [weak](bool) {
    if (auto self = weak.lock()) self->finishLaunchPicture();
  };
  auto third = [slide, width, finish](bool) { platform::View::animate(kLaunchSlideStep, slide(-width), finish); };
  auto second = [slide, width, third](bool) { platform::View::animate(kLaunchSlideStep, slide(20 - width), third); };
  auto first = [slide, width, second](bool) { platform::View::animate(kLaunchSlideStep, slide(10 - width), second); };
  auto fill = [progress, first](bool) {
    const platform::Rect bar = progress->frame();
    platform::View::animate(kLaunchProgressFill, [progress, bar] { progress->setFrame({0, bar.y(), 320, 3}); }, first);
  };
  platform::View::animate(kLaunchAdvertFade, [advert] { advert->setAlpha(1); }, fill);
}

void VornAppDelegate::finishLaunchPicture() {
  if (launchPicture_) launchPicture_->removeFromSuperview();
  setLaunchImgView(nullptr);
  if (!featuresShown()) {
    if (auto home = viewController()) home->getHotImageData();
    setCanPopPush(true);
  }
  showStartupPrompt();
}

// ---- Taps on the advert --------------------------------------------------------------

void VornAppDelegate::onClickAD() {
  const platform::Value info = defaults().objectForKey(kAdInfo);
  if (clickADFlag_ || platform::countOf(info) == 0 || ADImgIndex_ != "-1") return;
  const std::string type = platform::plainTextOf(info, "type");
  if (type != "0" && launchPicture_) {
    auto picture = launchPicture_;
    const platform::Rect frame = picture->frame();
    const double width = platform::Screen::mainScreen().bounds().width();
    platform::View::animate(
        kLaunchTapSlide, [picture, frame, width] { picture->setFrame({-width, frame.y(), frame.width(), frame.height()}); },
        [picture](bool) { picture->removeFromSuperview(); });
  }
  if (!platform::hasKey(info, "type")) return;
  clickADFlag_ = true;
  const std::string id = platform::plainTextOf(info, "id");
  if (type == "1" || type == "2" || type == "3" || type == "4")
    platform::services::UsageAnalytics::shared().event(kAdvertTapEvent);
  if (type == "1") {
    auto article = std::make_shared<NewsContentViewController>();
    article->setEntryType(1);
    article->setNewsURL(PortalHosts::urlWithId(PortalHost::MobileWeb, kAdvertArticlePathFormat, id));
    article->setNewsId(id);
    article->setM_currentPage(1);
    article->setNewsType(platform::hasKey(info, "typeid") ? platform::plainTextOf(info, "typeid") : "0");
    carSection().setCurrentEntryBrandType(0);
    pushController(article);
  } else if (type == "2") {
    auto thread = std::make_shared<PostContentViewController>();
    thread->setPost_Id(std::to_string(platform::intValueOf(info, "id")));
    thread->setPost_link(PortalHosts::urlWithId(PortalHost::MobileWeb, kAdvertThreadPathFormat, id));
    thread->setCurrent_page(1);
    carSection().setCurrentEntryBrandType(0);
    pushController(thread);
  } else if (type == "3") {
    getPICData(id);
  } else if (type == "4") {
    platform::Value share = platform::dictionary();
    share[kEventBigImgKey] = platform::plainTextOf(info, "imgUrl");
    share[kEventSmallImgKey] = platform::plainTextOf(info, "imgUrl");
    share[kEventLinkKey] = platform::plainTextOf(info, "linkUrl");
    share[kEventTitleKey] = platform::plainTextOf(info, "title");
    auto page = std::make_shared<WebViewController>();
    page->setTitleName(kAdvertEventTitle);
    page->setURL(platform::plainTextOf(info, "linkUrl"));
    page->setEntryTpye(1);
    page->setEventShareInfo(share);
    pushController(page);
  }
}

namespace {
// The application delegate's `photos` as a photo browser's data source. The
// browser holds its source weakly, so one lives for the process.
class DelegatePhotoSource : public PyxoPhotoBrowserDelegate {
 public:
  unsigned numberOfPhotosInPhotoBrowser(PyxoPhotoBrowser& browser) override {
    return static_cast<unsigned>(VornAppDelegate::shared()->numberOfPhotosInPhotoBrowser(browser));
  }
  std::shared_ptr<PyxoPhotoProtocol> photoAtIndex(PyxoPhotoBrowser& browser, unsigned index) override {
    return VornAppDelegate::shared()->photoAtIndex(browser, index);
  }
};

std::shared_ptr<PyxoPhotoBrowserDelegate> delegatePhotoSource() {
  static const auto source = std::make_shared<DelegatePhotoSource>();
  return source;
}
}  // namespace

void VornAppDelegate::getPICData(const std::string& pictureSetId) {
  std::weak_ptr<VornAppDelegate> weak = weakApp();
  platform::Value parameters = platform::dictionary();
  parameters["id"] = pictureSetId;
  Vorn5APIClient::fetch(PortalHosts::url(PortalHost::MobileWeb, kPictureSetPath), parameters, {.needAlert = true},
        [weak](const platform::Value& answer, const std::optional<ApiError>&) {
          if (auto self = weak.lock()) self->handlePictureSetAnswer(answer);
        });
}

void VornAppDelegate::handlePictureSetAnswer(const platform::Value& answer) {
  const auto parsed = parsedAnswer(answer);
  if (!parsed || platform::countOf(*parsed) == 0) return;
  const platform::Value& pictures = platform::valueFor(*parsed, "picInfo");
  if (!platform::isArray(pictures)) return;
  std::vector<std::shared_ptr<PyxoPhoto>> photos;
  for (const auto& entry : pictures) photos.push_back(PyxoPhoto::photoWithURL(platform::plainTextOf(entry, "picLink")));
  setPhotos(photos);

  auto browser = PyxoPhotoBrowser::initWithDelegate(delegatePhotoSource());
  browser->setSuperController({});
  browser->setDisplayActionButton(true);
  browser->setDisplayNavArrows(false);
  browser->setZoomPhotosToFill(true);
  browser->setCurrentPhotoIndex(0);
  browser->setDisplayCommentButton(false);
  browser->setIntputStr("");
  browser->setCommentNums("");
  browser->setUpCaptionTitle("");
  browser->setNewsID("");
  browser->setCommentURL("");
  pushController(browser);
}

// ---- Photo browser data source ---------------------------------------------------

std::size_t VornAppDelegate::numberOfPhotosInPhotoBrowser(const PyxoPhotoBrowser&) const { return photos().size(); }

std::shared_ptr<PyxoPhoto> VornAppDelegate::photoAtIndex(const PyxoPhotoBrowser&, std::size_t index) const {
  return index < photos().size() ? photos()[index] : nullptr;
}

void VornAppDelegate::didDisplayPhotoAtIndex(const PyxoPhotoBrowser&, std::size_t) const {}

}  // namespace vorn
