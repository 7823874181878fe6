// Loading a photo's image from each source, the end notification after every
// attempt, progress of network loads, and loads finishing after an unload.
#include <any>

#include "platform/foundation/Files.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/services/PhotoLibrary.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageDownloadCache.h"
#include "portal/PictureGenerator.h"
#include "support/VornTest.h"
#include "ui/PyxoPhoto.h"

namespace vorn::test {
namespace {

class PyxoPhotoTest : public VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    platform::ImageDownloadCache::sharedManager().reset();
    platform::services::PhotoLibrary::shared().reset();
    auto& center = platform::NotificationCenter::defaultCenter();
    center.addObserver(this, kPyxoPhotoLoadingDidEndNotification, [this](const platform::Notification& n) {
      if (auto p = std::any_cast<std::shared_ptr<PyxoPhotoProtocol>>(&n.object)) ended.push_back(*p);
    });
    center.addObserver(this, kPyxoPhotoProgressNotification, [this](const platform::Notification& n) {
      if (auto p = std::any_cast<PyxoPhotoProgress>(&n.object)) progress.push_back(p->progress);
    });
  }
  std::string pictureUrl(int w, int h, const std::string& seed) {
    return portal().baseUrl() + "/pic/" + std::to_string(w) + "x" + std::to_string(h) + "/" + seed + ".jpg";
  }
  std::size_t endsFor(const std::shared_ptr<PyxoPhoto>& photo) const {
    std::size_t n = 0;
    for (const auto& p : ended) n += p.get() == static_cast<PyxoPhotoProtocol*>(photo.get()) ? 1 : 0;
    return n;
  }
  std::vector<std::shared_ptr<PyxoPhotoProtocol>> ended;
  std::vector<float> progress;
};

TEST_F(PyxoPhotoTest, NetworkPhotoLoadsOnceForTwoRequestsInARow) {
  auto photo = PyxoPhoto::photoWithURL(pictureUrl(200, 150, "twice"));
  photo->loadUnderlyingImageAndNotify();
  photo->loadUnderlyingImageAndNotify();
  EXPECT_TRUE(photo->isLoading());
  ASSERT_TRUE(runUntil([&] { return endsFor(photo) > 0; }));
  runFor(0.5);
  EXPECT_EQ(endsFor(photo), 1u);
  ASSERT_TRUE(photo->underlyingImage());
  EXPECT_EQ(photo->underlyingImage()->size(), (platform::Size{200, 150}));
  EXPECT_EQ(portal().requestsTo("/pic/200x150/twice.jpg").size(), 1u);
  // The picture's length was known: the progress reached the whole.
  ASSERT_FALSE(progress.empty());
  EXPECT_FLOAT_EQ(progress.back(), 1.0f);
}

TEST_F(PyxoPhotoTest, LoadedPhotoStillAnnouncesTheEndOnTheNextPass) {
  auto image = platform::Image::create(4, 3);
  auto photo = PyxoPhoto::photoWithImage(image);
  photo->loadUnderlyingImageAndNotify();
  EXPECT_EQ(endsFor(photo), 0u);  // not inside the call
  runFor(0.01);
  EXPECT_EQ(endsFor(photo), 1u);
  EXPECT_EQ(photo->underlyingImage(), image);
  photo->loadUnderlyingImageAndNotify();
  runFor(0.01);
  EXPECT_EQ(endsFor(photo), 2u);
  EXPECT_EQ(photo->underlyingImage(), image);
}

TEST_F(PyxoPhotoTest, FailedSourcesEndWithoutAnImage) {
  std::string missingFile = (homeDir() / "none.jpg").string();
  std::string notAPicture = (homeDir() / "text.jpg").string();
  ASSERT_TRUE(platform::writeFileAtomically(notAPicture, std::string("plain text")));
  struct Case { const char* what; std::shared_ptr<PyxoPhoto> photo; } cases[] = {
      {"invalid address", PyxoPhoto::photoWithURL("http://bad host/x.jpg")},
      {"missing file", PyxoPhoto::photoWithFilePath(missingFile)},
      {"file that is no picture", PyxoPhoto::photoWithFilePath(notAPicture)},
      {"missing page", PyxoPhoto::photoWithURL(portal().baseUrl() + "/no/such.jpg")},
      {"unknown asset", PyxoPhoto::photoWithURL("ASSETS-LIBRARY://asset/asset.JPG?id=nothing&ext=JPG")},
  };
  for (auto& c : cases) {
    c.photo->loadUnderlyingImageAndNotify();
    ASSERT_TRUE(runUntil([&] { return endsFor(c.photo) > 0; })) << c.what;
    EXPECT_FALSE(c.photo->underlyingImage()) << c.what;
    EXPECT_FALSE(c.photo->isLoading()) << c.what;
  }
}

TEST_F(PyxoPhotoTest, FileAndLibraryPhotosLoadTheirPictures) {
  std::string file = (homeDir() / "local.jpg").string();
  ASSERT_TRUE(platform::writeFileAtomically(file, vorn::portal::PictureGenerator::jpeg(30, 20, "local")));
  auto asset = platform::services::PhotoLibrary::shared().addFile(file);
  ASSERT_TRUE(asset);
  // The library's scheme is recognised in any letter case.
  std::string upper = "ASSETS-LIBRARY" + asset->substr(asset->find(':'));
  for (auto photo : {PyxoPhoto::photoWithFilePath(file), PyxoPhoto::photoWithURL(*asset), PyxoPhoto::photoWithURL(upper)}) {
    photo->loadUnderlyingImageAndNotify();
    ASSERT_TRUE(runUntil([&] { return endsFor(photo) > 0; }));
    ASSERT_TRUE(photo->underlyingImage()) << *photo->photoURL();
    EXPECT_EQ(photo->underlyingImage()->size(), (platform::Size{30, 20}));
  }
}

TEST_F(PyxoPhotoTest, LoadFinishingAfterAnUnloadIsDropped) {
  auto photo = PyxoPhoto::photoWithURL(pictureUrl(640, 480, "dropped"));
  photo->loadUnderlyingImageAndNotify();
  photo->unloadUnderlyingImage();
  EXPECT_FALSE(photo->isLoading());
  ASSERT_TRUE(runUntil([&] { return portal().requestsTo("/pic/640x480/dropped.jpg").size() == 1; }));
  runFor(1.0);
  EXPECT_FALSE(photo->underlyingImage());
  EXPECT_EQ(endsFor(photo), 0u);
  // Asked again, it loads (from the picture downloader's caches).
  photo->loadUnderlyingImageAndNotify();
  ASSERT_TRUE(runUntil([&] { return endsFor(photo) > 0; }));
  EXPECT_TRUE(photo->underlyingImage());
}

TEST_F(PyxoPhotoTest, CancelledLoadNeverAnswers) {
  auto photo = PyxoPhoto::photoWithURL(pictureUrl(64, 64, "cancelled"));
  photo->loadUnderlyingImageAndNotify();
  photo->cancelAnyLoading();
  EXPECT_FALSE(photo->isLoading());
  runFor(1.0);
  EXPECT_EQ(endsFor(photo), 0u);
  EXPECT_FALSE(photo->underlyingImage());
}

}  // namespace
}  // namespace vorn::test
