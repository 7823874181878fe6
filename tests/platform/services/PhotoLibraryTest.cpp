#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "platform/services/PhotoLibrary.h"
#include "support/VornTest.h"

using namespace platform::services;

namespace {

const platform::Bytes kJpeg{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00};
const platform::Bytes kPng{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0x00};

class PhotoLibraryTest : public vorn::test::VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    PhotoLibrary::shared().reset();
  }
  void TearDown() override {
    PhotoLibrary::shared().reset();
    VornTest::TearDown();
  }

  std::string writeFile(const std::string& name, const platform::Bytes& bytes) {
    auto path = homeDir() / "tmp" / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  // Saves and waits for the answer.
  std::pair<std::string, std::optional<PhotoLibraryError>> save(const platform::Bytes& bytes, int orientation) {
    std::optional<std::pair<std::string, std::optional<PhotoLibraryError>>> got;
    PhotoLibrary::shared().writeImageToSavedPhotosAlbum(
        bytes, orientation, [&](const std::string& url, const std::optional<PhotoLibraryError>& e) { got.emplace(url, e); });
    EXPECT_FALSE(got.has_value());  // the answer comes on the main loop
    EXPECT_TRUE(runUntil([&] { return got.has_value(); }));
    return got.value_or(std::make_pair(std::string(), std::optional<PhotoLibraryError>()));
  }

  struct LookUp {
    bool answered = false;
    std::optional<PhotoAsset> asset;
    std::optional<PhotoLibraryError> error;
  };
  LookUp lookUp(const std::string& url) {
    LookUp r;
    PhotoLibrary::shared().assetForUrl(
        url,
        [&](const std::optional<PhotoAsset>& a) {
          r.answered = true;
          r.asset = a;
        },
        [&](const PhotoLibraryError& e) {
          r.answered = true;
          r.error = e;
        });
    EXPECT_FALSE(r.answered);
    EXPECT_TRUE(runUntil([&] { return r.answered; }));
    return r;
  }

  std::vector<PhotoAlbum> albums(unsigned kinds, std::optional<PhotoLibraryError>* error = nullptr) {
    std::vector<PhotoAlbum> out;
    bool ended = false;
    PhotoLibrary::shared().enumerateAlbums(
        kinds,
        [&](const std::optional<PhotoAlbum>& album) {
          if (album) out.push_back(*album);
          else ended = true;
        },
        [&](const PhotoLibraryError& e) {
          ended = true;
          if (error) *error = e;
        });
    EXPECT_TRUE(runUntil([&] { return ended; }));
    return out;
  }
};

TEST_F(PhotoLibraryTest, ASavedPictureIsFoundAtItsAddress) {
  runFor(10.0);
  auto [url, error] = save(kJpeg, kAssetOrientationRight);
  ASSERT_FALSE(error.has_value());
  EXPECT_TRUE(std::regex_match(url, std::regex(R"(assets-library://asset/asset\.JPG\?id=[0-9A-F-]{36}&ext=JPG)"))) << url;

  auto found = lookUp(url);
  ASSERT_TRUE(found.asset.has_value());
  EXPECT_EQ(found.asset->url, url);
  EXPECT_EQ(found.asset->type, AssetType::Photo);
  EXPECT_EQ(found.asset->orientation, kAssetOrientationRight);
  EXPECT_EQ(found.asset->albumName, kSavedPhotosAlbumName);
  EXPECT_DOUBLE_EQ(found.asset->date, vorn::test::kTestStartEpochSeconds + 10.0);
  EXPECT_EQ(found.asset->readBytes().value_or(platform::Bytes{}), kJpeg);
  EXPECT_TRUE(std::filesystem::is_regular_file(found.asset->filePath));
  EXPECT_EQ(std::filesystem::path(found.asset->filePath).parent_path().parent_path(),
            homeDir() / kPhotoLibraryFolderName);
}

TEST_F(PhotoLibraryTest, AddressesStayTheSameAcrossLookUpsAndDiffer) {
  auto first = save(kJpeg, kAssetOrientationUp).first;
  auto second = save(kPng, kAssetOrientationUp).first;
  EXPECT_NE(first, second);
  EXPECT_NE(second.find("ext=PNG"), std::string::npos);
  auto newest = PhotoLibrary::shared().savedPhotosNewestFirst();
  ASSERT_EQ(newest.size(), 2u);
  EXPECT_EQ(newest[0].url, second);
  EXPECT_EQ(newest[1].url, first);
  EXPECT_EQ(newest[1].orientation, kAssetOrientationUp);
}

TEST_F(PhotoLibraryTest, LookUpsAnswerFoundMissingOrRefused) {
  auto url = save(kJpeg, kAssetOrientationUp).first;
  struct Case {
    const char* name;
    std::string url;
    int access;
    bool found;
    bool refused;
  };
  std::string missing = url;
  missing.replace(missing.find("id=") + 3, 8, "00000000");
  const Case cases[] = {
      {"saved picture", url, kPhotoAccessAuthorized, true, false},
      {"unknown id", missing, kPhotoAccessAuthorized, false, false},
      {"not an asset address", "http://example.invalid/a.jpg", kPhotoAccessAuthorized, false, false},
      {"garbage", "::::", kPhotoAccessAuthorized, false, false},
      {"no id", "assets-library://asset/asset.JPG?ext=JPG", kPhotoAccessAuthorized, false, false},
      {"denied", url, kPhotoAccessDenied, false, true},
      {"restricted", url, kPhotoAccessRestricted, false, true},
  };
  for (const auto& c : cases) {
    PhotoLibrary::setAuthorizationStatus(c.access);
    auto r = lookUp(c.url);
    EXPECT_EQ(r.asset.has_value(), c.found) << c.name;
    EXPECT_EQ(r.error.has_value(), c.refused) << c.name;
    if (c.refused) {
      EXPECT_EQ(r.error->code, kPhotoLibraryErrorAccessDenied) << c.name;
    }
  }
}

TEST_F(PhotoLibraryTest, APictureDeletedFromTheLibraryIsMissing) {
  auto url = save(kJpeg, kAssetOrientationUp).first;
  auto asset = PhotoLibrary::shared().assetAt(url);
  ASSERT_TRUE(asset.has_value());
  std::filesystem::remove(asset->filePath);
  auto r = lookUp(url);
  EXPECT_TRUE(r.answered);
  EXPECT_FALSE(r.asset.has_value());
  EXPECT_FALSE(r.error.has_value());
}

TEST_F(PhotoLibraryTest, SavingIsRefusedWithoutAccessOrWithoutAPicture) {
  PhotoLibrary::setAuthorizationStatus(kPhotoAccessDenied);
  auto denied = save(kJpeg, kAssetOrientationUp);
  EXPECT_EQ(denied.first, "");
  ASSERT_TRUE(denied.second.has_value());
  EXPECT_EQ(denied.second->code, kPhotoLibraryErrorAccessDenied);

  PhotoLibrary::setAuthorizationStatus(kPhotoAccessAuthorized);
  auto garbage = save(platform::Bytes{'n', 'o', 't'}, kAssetOrientationUp);
  EXPECT_EQ(garbage.first, "");
  ASSERT_TRUE(garbage.second.has_value());
  EXPECT_EQ(garbage.second->code, kPhotoLibraryErrorWriteInvalidData);
  EXPECT_TRUE(PhotoLibrary::shared().savedPhotosNewestFirst().empty());
}

TEST_F(PhotoLibraryTest, AlbumsComeSavedPhotosFirstWithCountsUnderTheFilter) {
  PhotoLibrary::shared().addFile(writeFile("a.jpg", kJpeg));
  PhotoLibrary::shared().addFile(writeFile("b.png", kPng), "旅行");
  PhotoLibrary::shared().addFile(writeFile("clip.mov", {0, 0, 0}), "旅行");
  PhotoLibrary::shared().addFile(writeFile("c.jpg", kJpeg), "Cars");
  std::filesystem::create_directories(homeDir() / kPhotoLibraryFolderName / "Empty");
  std::filesystem::create_directories(homeDir() / kPhotoLibraryFolderName / ".hidden");

  auto all = albums(kAlbumKindAll);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].name, kSavedPhotosAlbumName);
  EXPECT_EQ(all[0].kind, kAlbumKindSavedPhotos);
  EXPECT_EQ(all[1].name, "Cars");
  EXPECT_EQ(all[2].name, "Empty");
  EXPECT_EQ(all[3].name, "旅行");
  EXPECT_EQ(all[3].numberOfAssets(), 2u);
  all[3].filter = AssetsFilter::AllPhotos;
  EXPECT_EQ(all[3].numberOfAssets(), 1u);
  all[3].filter = AssetsFilter::AllVideos;
  ASSERT_EQ(all[3].assets().size(), 1u);
  EXPECT_EQ(all[3].assets()[0].type, AssetType::Video);
  EXPECT_EQ(all[2].numberOfAssets(), 0u);
  EXPECT_FALSE(all[2].posterAsset().has_value());

  auto savedOnly = albums(kAlbumKindSavedPhotos);
  ASSERT_EQ(savedOnly.size(), 1u);
  EXPECT_EQ(savedOnly[0].numberOfAssets(), 1u);
  auto others = albums(kAlbumKindAlbum | kAlbumKindEvent | kAlbumKindFaces | kAlbumKindPhotoStream | kAlbumKindLibrary);
  EXPECT_EQ(others.size(), 3u);
}

TEST_F(PhotoLibraryTest, AnEmptyLibraryStillHasItsSavedPhotos) {
  auto all = albums(kAlbumKindAll);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].numberOfAssets(), 0u);
}

TEST_F(PhotoLibraryTest, WalksAreRefusedWhileAccessIsDenied) {
  PhotoLibrary::setAuthorizationStatus(kPhotoAccessDenied);
  std::optional<PhotoLibraryError> error;
  auto all = albums(kAlbumKindAll, &error);
  EXPECT_TRUE(all.empty());
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->code, kPhotoLibraryErrorAccessDenied);
}

TEST_F(PhotoLibraryTest, AddedFilesBecomeTheNewestItemAndThePoster) {
  auto first = PhotoLibrary::shared().addFile(writeFile("one.jpg", kJpeg));
  runFor(1.0);
  auto second = PhotoLibrary::shared().addFile(writeFile("two.JPEG", kJpeg));
  ASSERT_TRUE(first && second);
  EXPECT_NE(second->find("asset.JPG?"), std::string::npos);
  auto saved = albums(kAlbumKindSavedPhotos);
  ASSERT_EQ(saved.size(), 1u);
  auto items = saved[0].assets();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].url, *first);  // the library's order: oldest first
  EXPECT_EQ(items[1].url, *second);
  EXPECT_LT(items[0].date, items[1].date);
  EXPECT_EQ(saved[0].posterAsset()->url, *second);
}

TEST_F(PhotoLibraryTest, FilesThatCannotBeAddedAreRefused) {
  auto& library = PhotoLibrary::shared();
  EXPECT_FALSE(library.addFile((homeDir() / "tmp" / "absent.jpg").string()).has_value());
  EXPECT_FALSE(library.addFile(writeFile("notes.txt", {'x'})).has_value());
  auto picture = writeFile("p.jpg", kJpeg);
  EXPECT_FALSE(library.addFile(picture, "../outside").has_value());
  EXPECT_FALSE(library.addFile(picture, ".hidden").has_value());
  EXPECT_FALSE(std::filesystem::exists(homeDir() / "outside"));
  EXPECT_TRUE(library.addFile(picture, "Cars").has_value());
}

TEST_F(PhotoLibraryTest, AnUnreadablePictureIsListedButYieldsNoBytes) {
  auto url = PhotoLibrary::shared().addFile(writeFile("broken.jpg", {'n', 'o', 'p', 'e'}));
  ASSERT_TRUE(url.has_value());
  auto r = lookUp(*url);
  ASSERT_TRUE(r.asset.has_value());  // the library does not decode; the bytes are what they are
  EXPECT_EQ(r.asset->readBytes().value_or(platform::Bytes{}).size(), 4u);
  std::filesystem::permissions(r.asset->filePath, std::filesystem::perms::none);
  if (::geteuid() != 0) {
    EXPECT_FALSE(r.asset->readBytes().has_value());
  }
}

TEST_F(PhotoLibraryTest, TheLibraryOrderCountsNumbersByValue) {
  auto album = homeDir() / kPhotoLibraryFolderName / "Numbers";
  std::filesystem::create_directories(album);
  for (const char* name : {"IMG_10000.JPG", "IMG_9999.JPG", "IMG_0002.JPG"}) {
    std::ofstream(album / name) << "x";
  }
  auto url = PhotoLibrary::shared().addFile(writeFile("new.jpg", kJpeg), "Numbers");
  ASSERT_TRUE(url.has_value());
  auto found = albums(kAlbumKindAlbum);
  ASSERT_EQ(found.size(), 1u);
  auto items = found[0].assets();
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(std::filesystem::path(items[0].filePath).filename(), "IMG_0002.JPG");
  EXPECT_EQ(std::filesystem::path(items[2].filePath).filename(), "IMG_10000.JPG");
  EXPECT_EQ(items[3].url, *url);  // the added picture is the newest
}

}  // namespace
