#pragma once
// A photo browser on screen for tests: a 320 x 480 window whose navigation
// container holds a root screen and, pushed over it, the browser, fed by a data
// source of pictures the demo portal generates (/pic/WxH/seed.jpg).
#include <memory>
#include <string>
#include <vector>

#include "application/VornAppDelegate.h"
#include "core/ParentViewController.h"
#include "net/Vorn5APIClient.h"
#include "platform/services/PhotoLibrary.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageDownloadCache.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/Window.h"
#include "support/VornTest.h"
#include "ui/PyxoPhoto.h"
#include "ui/PyxoPhotoBrowser.h"
#include "ui/PyxoZoomingScrollView.h"

namespace vorn::test {

class PhotoSource : public PyxoPhotoBrowserDelegate {
 public:
  std::vector<std::shared_ptr<PyxoPhoto>> photos;
  std::vector<unsigned> displayed;
  unsigned numberOfPhotosInPhotoBrowser(PyxoPhotoBrowser&) override { return static_cast<unsigned>(photos.size()); }
  std::shared_ptr<PyxoPhotoProtocol> photoAtIndex(PyxoPhotoBrowser&, unsigned index) override {
    return index < photos.size() ? photos[index] : nullptr;
  }
  void didDisplayPhotoAtIndex(PyxoPhotoBrowser&, unsigned index) override { displayed.push_back(index); }
  // How many pictures hold an image now.
  int imagesHeld() const {
    int n = 0;
    for (const auto& p : photos) n += p->underlyingImage() ? 1 : 0;
    return n;
  }
};

class PhotoBrowserTest : public VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    platform::Application::sharedApplication().reset();
    platform::Screen::mainScreen().setHeight(480);
    platform::ImageDownloadCache::sharedManager().reset();
    platform::services::PhotoLibrary::shared().reset();
    Vorn5APIClient::resetSharedClient();
    app_ = std::make_shared<VornAppDelegate>();
    AppDelegate::setSharedAppDelegate(app_);
    window_ = platform::Window::create({0, 0, 320, 480});
    app_->setWindow(window_);
    container_ = std::make_shared<ParentViewController>();
    window_->setRootViewController(container_);
    window_->makeKeyAndVisible();
    auto root = std::make_shared<platform::ViewController>();
    container_->addChildViewController(root);
    container_->view()->addSubview(root->view());
    source_ = std::make_shared<PhotoSource>();
  }
  void TearDown() override {
    browser_.reset();
    container_.reset();
    window_.reset();
    platform::Application::sharedApplication().reset();
    AppDelegate::setSharedAppDelegate(nullptr);
    platform::Screen::mainScreen().reset();
    VornTest::TearDown();
  }

  std::string pictureUrl(int w, int h, const std::string& seed) const {
    return const_cast<PhotoBrowserTest*>(this)->portal().baseUrl() + "/pic/" + std::to_string(w) + "x" +
           std::to_string(h) + "/" + seed + ".jpg";
  }
  void addPicture(int w, int h, const std::string& seed) {
    source_->photos.push_back(PyxoPhoto::photoWithURL(pictureUrl(w, h, seed)));
  }
  // Pushes a browser of the kind given and waits until the picture on screen has arrived.
  std::shared_ptr<PyxoPhotoBrowser> open(int kind = 0, unsigned index = 0) {
    browser_ = PyxoPhotoBrowser::initWithDelegate(source_);
    browser_->setEntryPhoneBrowserType(kind);
    if (kind == kNewsPictureSet) {
      browser_->setNewsPicArray(newsRecords_);
      browser_->setNewsID("31337");
      browser_->setWebLink(portal().baseUrl() + "/news/31337.html");
    }
    browser_->setCurrentPhotoIndex(index);
    container_->pushChildViewController(browser_);
    runFor(0.6);
    waitForCurrentImage();
    return browser_;
  }
  void waitForCurrentImage() {
    runUntil([&] {
      auto photo = browser_->photoAtIndex(browser_->currentPageIndex());
      return photo && photo->underlyingImage() != nullptr;
    });
    runFor(0.05);
  }
  // Swipes one page to the left (forward) or right (back) and lets it settle.
  void swipe(bool forward) {
    platform::Point p{160, 240};
    double dx = forward ? -220 : 220;
    platform::TestDriver::dragPath({p, {p.x + dx, p.y}}, 0.25);
    runFor(1.0);
    waitForCurrentImage();
  }

  std::shared_ptr<VornAppDelegate> app_;
  std::shared_ptr<platform::Window> window_;
  std::shared_ptr<ParentViewController> container_;
  std::shared_ptr<PhotoSource> source_;
  std::shared_ptr<PyxoPhotoBrowser> browser_;
  platform::Value newsRecords_ = platform::Value::array();
};

}  // namespace vorn::test
