#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/PortalTest.h"
#include "net/ZorbNetworking.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"

namespace vorn {
namespace {

using platform::ImageView;
using test::PortalTest;
using vorn::portal::RouteOverride;

class PictureLoaderTest : public PortalTest {
 protected:
  struct Outcome {
    int successes = 0;
    int failures = 0;
    bool successHadRequest = false;
    std::optional<platform::net::HttpError> error;
  };

  // Loads `path` of the portal into the view, counting callbacks in `outcome`
  // (with callbacks the test sets the picture, as callers do).
  void load(const std::shared_ptr<ImageView>& view, const std::string& path, Outcome& outcome, bool loadCache = true,
            int cacheType = 0, std::optional<std::string> anotherKey = std::nullopt, bool withSuccess = false) {
    ImageLoadSuccess success;
    if (withSuccess) {
      std::weak_ptr<ImageView> weak = view;
      success = [&outcome, weak](const platform::net::HttpRequest* request, const platform::net::HttpResponse*,
                                 std::shared_ptr<const platform::Image> image) {
        ++outcome.successes;
        outcome.successHadRequest = request != nullptr;
        if (auto v = weak.lock()) v->setImage(image);
      };
    }
    setImageWithURLRequest(view, pictureRequestWithURL(url(path)), placeholder_, loadCache, cacheType, anotherKey,
                           success,
                           [&outcome](const platform::net::HttpRequest*, const platform::net::HttpResponse*,
                                      const platform::net::HttpError& error) {
                             ++outcome.failures;
                             outcome.error = error;
                           });
  }
  void settle() { platform::RunLoop::main().settle(); }
  std::string cachedFile(const char* folder, const std::string& path) {
    return platform::joinPath(pathInCacheDirectory(folder),
                              "img" + removeSlashes(portal().baseUrl().substr(7) + path));
  }
  static std::string removeSlashes(std::string text) {
    std::erase(text, '/');
    return "http" + text;
  }
  static int pixelWidth(const ImageView& view) { return view.image() ? view.image()->pixelWidth() : 0; }

  std::shared_ptr<const platform::Image> placeholder_ = platform::Image::create(2, 2);
};

TEST_F(PictureLoaderTest, DownloadedPictureIsStoredAndLaterServedFromDiskWithoutRequest) {
  auto view = ImageView::create();
  Outcome outcome;
  load(view, "/pic/640x400/1.jpg", outcome);
  EXPECT_EQ(view->image(), placeholder_);  // while the picture is on its way
  EXPECT_TRUE(hasImageRequestOperation(*view));
  settle();
  EXPECT_EQ(pixelWidth(*view), 640);
  EXPECT_FALSE(hasImageRequestOperation(*view));
  const std::string file = cachedFile(kTempCacheDir, "/pic/640x400/1.jpg");
  ASSERT_TRUE(platform::isRegularFile(file)) << file;

  portal().clearLog();
  auto other = ImageView::create();
  other->setAlpha(0.3);
  Outcome second;
  load(other, "/pic/640x400/1.jpg", second);
  // Answered at once from disk: no request, no callback needed, opacity untouched.
  EXPECT_EQ(pixelWidth(*other), 640);
  EXPECT_DOUBLE_EQ(other->alpha(), 0.3);
  EXPECT_FALSE(hasImageRequestOperation(*other));
  settle();
  EXPECT_EQ(portal().requestCount(), 0u);
}

TEST_F(PictureLoaderTest, SecondLoadOnTheSameViewShowsOnlyTheSecondPictureAndReportsNoFailure) {
  // The first picture is slow; the view is reused for another address meanwhile.
  auto slow = platform::Image::create(100, 50)->jpegData(0.9);
  portal().overrideRoute("/pic/slow.jpg", RouteOverride{200, slow, "image/jpeg", 0.5});
  auto view = ImageView::create();
  Outcome outcome;
  load(view, "/pic/slow.jpg", outcome, true, 0, std::nullopt, true);
  load(view, "/pic/60x40/2.jpg", outcome, true, 0, std::nullopt, true);
  ASSERT_TRUE(portal().waitForRequests(1));
  settle();
  runFor(1.0);
  settle();
  EXPECT_EQ(pixelWidth(*view), 60);
  EXPECT_EQ(outcome.successes, 1);
  EXPECT_EQ(outcome.failures, 0);
  EXPECT_FALSE(platform::fileExists(cachedFile(kTempCacheDir, "/pic/slow.jpg")));
  EXPECT_TRUE(platform::fileExists(cachedFile(kTempCacheDir, "/pic/60x40/2.jpg")));
}

TEST_F(PictureLoaderTest, LoadingTheSameAddressAgainCompletesOnceWithoutFailure) {
  auto view = ImageView::create();
  Outcome outcome;
  load(view, "/pic/80x60/3.jpg", outcome, false, 0, std::nullopt, true);
  load(view, "/pic/80x60/3.jpg", outcome, false, 0, std::nullopt, true);
  settle();
  EXPECT_EQ(outcome.successes, 1);
  EXPECT_EQ(outcome.failures, 0);
  EXPECT_EQ(pixelWidth(*view), 80);
}

TEST_F(PictureLoaderTest, OpacityFollowsTheThemeAndAFailureRestoresIt) {
  struct Case {
    const char* mode;
    const char* path;
    double alphaBefore;
    double alphaAfter;
  } cases[] = {
      {kThemeModeNormal, "/pic/20x20/4.png", 0.5, 1.0},
      {kThemeModeBlack, "/pic/20x20/5.png", 1.0, kNightImageAlpha},
      {kThemeModeBlack, "/missing.png", 0.6, 1.0},  // failure: full opacity
      {kThemeModeBlack, "/missing2.png", 0.0, 0.0},  // a view faded out stays out
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    AppDelegate::switchThemeMode(c.mode);
    auto view = ImageView::create();
    view->setAlpha(c.alphaBefore);
    Outcome outcome;
    load(view, c.path, outcome);
    settle();
    EXPECT_DOUBLE_EQ(view->alpha(), c.alphaAfter);
  }
}

TEST_F(PictureLoaderTest, FailedTransferKeepsThePlaceholderReportsTheErrorAndStoresNothing) {
  portal().overrideRoute("/notpicture.jpg", RouteOverride{200, "<html>no</html>", "text/html"});
  struct Case {
    const char* path;
    int status;
  } cases[] = {{"/notpicture.jpg", 200}, {"/absent.jpg", 404}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    auto view = ImageView::create();
    Outcome outcome;
    load(view, c.path, outcome);
    settle();
    EXPECT_EQ(view->image(), placeholder_);
    EXPECT_EQ(outcome.failures, 1);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->status, c.status);
    EXPECT_FALSE(platform::fileExists(cachedFile(kTempCacheDir, c.path)));
    EXPECT_FALSE(hasImageRequestOperation(*view));
  }
}

TEST_F(PictureLoaderTest, AddressDecidesTheStoredFormatAndWhetherItIsStored) {
  const std::string png = platform::Image::create(6, 6)->pngData();
  const std::string jpeg = platform::Image::create(6, 6)->jpegData(0.9);
  portal().overrideRoute("/upload/photo.PNG", RouteOverride{200, png, "image/png"});
  portal().overrideRoute("/upload/thumb.jpg", RouteOverride{200, jpeg, "image/jpeg"});
  portal().overrideRoute("/show", RouteOverride{200, jpeg, "image/jpeg"});
  struct Case {
    const char* path;
    bool stored;
    const char* signature;  // of the stored file
  } cases[] = {
      {"/upload/photo.PNG", true, "\x89PNG"},
      {"/upload/thumb.jpg?w=120", true, "\xFF\xD8\xFF"},
      {"/show?id=7", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    auto view = ImageView::create();
    Outcome outcome;
    load(view, c.path, outcome);
    settle();
    EXPECT_EQ(pixelWidth(*view), 6);
    const std::string file = cachedFile(kTempCacheDir, c.path);
    ASSERT_EQ(platform::isRegularFile(file), c.stored) << file;
    if (c.stored) {
      EXPECT_EQ(platform::readFileText(file)->rfind(c.signature, 0), 0u);
    }
  }
  // Not stored, so fetched again on every load.
  portal().clearLog();
  auto view = ImageView::create();
  Outcome outcome;
  load(view, "/show?id=7", outcome);
  settle();
  EXPECT_EQ(portal().requestsTo("/show").size(), 1u);
}

TEST_F(PictureLoaderTest, PermanentCacheAndAnotherKeyNameTheStoredFile) {
  auto view = ImageView::create();
  Outcome outcome;
  load(view, "/pic/30x30/6.jpg", outcome, true, kPermImageCacheType, std::string("http://x/head.jpg"));
  settle();
  EXPECT_TRUE(platform::isRegularFile(platform::joinPath(pathInCacheDirectory(kPermImageCacheDir), "imghttpxhead.jpg")));
  EXPECT_FALSE(platform::fileExists(pathInCacheDirectory(kTempCacheDir)));

  // The key finds the stored picture whatever the address; the success callback
  // hears of it without request, at the theme's opacity.
  AppDelegate::switchThemeMode(kThemeModeBlack);
  portal().clearLog();
  auto other = ImageView::create();
  Outcome second;
  load(other, "/pic/99x99/7.jpg", second, true, kPermImageCacheType, std::string("http://x/head.jpg"), true);
  EXPECT_EQ(second.successes, 1);
  EXPECT_FALSE(second.successHadRequest);
  EXPECT_EQ(pixelWidth(*other), 30);
  EXPECT_DOUBLE_EQ(other->alpha(), kNightImageAlpha);
  settle();
  EXPECT_EQ(portal().requestCount(), 0u);
}

TEST_F(PictureLoaderTest, WithoutLoadCacheAlwaysDownloadsAndStillStores) {
  for (int round = 0; round < 2; ++round) {
    auto view = ImageView::create();
    Outcome outcome;
    load(view, "/pic/40x40/8.jpg", outcome, false);
    settle();
    EXPECT_EQ(pixelWidth(*view), 40);
  }
  EXPECT_EQ(portal().requestsTo("/pic/40x40/8.jpg").size(), 2u);
  EXPECT_TRUE(platform::isRegularFile(cachedFile(kTempCacheDir, "/pic/40x40/8.jpg")));
}

TEST_F(PictureLoaderTest, OnlyWebAddressesAreFetched) {
  auto view = ImageView::create();
  Outcome outcome;
  setImageWithURLRequest(view, pictureRequestWithURL("file:///etc/passwd"), placeholder_, true, 0, std::nullopt,
                         {}, [&](auto, auto, const platform::net::HttpError&) { ++outcome.failures; });
  settle();
  EXPECT_EQ(outcome.failures, 1);
  EXPECT_EQ(view->image(), placeholder_);
}

TEST_F(PictureLoaderTest, StoredNameNeverLeavesItsFolder) {
  const std::string folder = pathInCacheDirectory(kTempCacheDir);
  ASSERT_TRUE(createDirInCache(kTempCacheDir));
  auto image = platform::Image::create(4, 4);
  EXPECT_TRUE(saveImageToCacheDir(folder, *image, "..", "png"));  // "img.." stays inside
  EXPECT_TRUE(platform::isRegularFile(platform::joinPath(folder, "img..")));
  EXPECT_TRUE(saveImageToCacheDir(folder, *image, std::string(400, 'a') + ".jpg", "jpg"));
  EXPECT_TRUE(loadImageData(folder, std::string(400, 'a') + ".jpg").has_value());
  EXPECT_FALSE(saveImageToCacheDir(folder, *image, "x.gif", "gif"));
  EXPECT_FALSE(saveImageToCacheDir(folder + "/none", *image, "x.png", "png"));
}

}  // namespace
}  // namespace vorn
