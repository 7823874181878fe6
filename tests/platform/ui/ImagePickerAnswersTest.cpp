// The system image picker: answers from the services' queue reach its delegate
// once it is up, a cancel is a cancel, and a picture that cannot be read is
// never handed over (the delegate hears a cancel, nothing crashes).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/services/Camera.h"
#include "platform/services/ImagePickerAnswers.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImagePickerController.h"
#include "platform/ui/Window.h"
#include "support/VornTest.h"

namespace {

using namespace platform;
using services::ImagePickerAnswer;
using services::ImagePickerAnswers;
using services::ImagePickerSource;

// A 1x1 PNG.
const unsigned char kPng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00,
    0x0D, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0x64, 0x60, 0xF8, 0x5F, 0x0F, 0x00, 0x02, 0x87, 0x01, 0x80,
    0xEB, 0x47, 0xBA, 0x92, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
// The start of a JPEG that ends before its frame header.
const unsigned char kTruncatedJpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46};

struct Receiver : ImagePickerControllerDelegate {
  int cancels = 0;
  std::vector<ImagePickerMediaInfo> picked;
  void didFinishPickingMediaWithInfo(ImagePickerController& picker, const ImagePickerMediaInfo& info) override {
    picked.push_back(info);
    picker.dismissViewController(true);
  }
  void imagePickerControllerDidCancel(ImagePickerController& picker) override {
    ++cancels;
    picker.dismissViewController(true);
  }
};

class ImagePickerAnswersTest : public vorn::test::VornTest {
 protected:
  void SetUp() override {
    VornTest::SetUp();
    Application::sharedApplication().reset();
    ImagePickerAnswers::shared().reset();
    services::Camera::shared().reset();
    window = Window::create({0, 0, 320, 568});
    root = std::make_shared<ViewController>();
    window->setRootViewController(root);
    window->makeKeyAndVisible();
    receiver = std::make_shared<Receiver>();
  }
  void TearDown() override {
    ImagePickerAnswers::shared().reset();
    Application::sharedApplication().reset();
    VornTest::TearDown();
  }
  std::string writeFile(const std::string& name, const unsigned char* bytes, std::size_t size) {
    auto path = homeDir() / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), static_cast<long>(size));
    return path.string();
  }
  std::shared_ptr<ImagePickerController> present(ImagePickerSource source, bool editing) {
    auto picker = std::make_shared<ImagePickerController>();
    picker->setSourceType(source);
    picker->setAllowsEditing(editing);
    picker->setDelegate(receiver);
    root->presentViewController(picker, true);
    return picker;
  }
  ImagePickerAnswer pictureAnswer(const std::string& path, const std::string& url = {}) {
    ImagePickerAnswer answer;
    answer.pictures.push_back({path, url});
    return answer;
  }

  std::shared_ptr<Window> window;
  std::shared_ptr<ViewController> root;
  std::shared_ptr<Receiver> receiver;
};

TEST_F(ImagePickerAnswersTest, PickedPictureReachesTheDelegateOnceThePickerIsUp) {
  std::string png = writeFile("a.png", kPng, sizeof kPng);
  const char* url = "assets-library://asset/asset.JPG?id=1&ext=JPG";
  EXPECT_FALSE(ImagePickerAnswers::shared().answer(ImagePickerSource::PhotoLibrary, pictureAnswer(png, url)))
      << "no picker yet: the answer waits";
  auto picker = present(ImagePickerSource::PhotoLibrary, true);
  EXPECT_TRUE(receiver->picked.empty());
  runFor(ViewController::kPresentationDuration + 0.1);
  ASSERT_EQ(receiver->picked.size(), 1u);
  const auto& info = receiver->picked[0];
  EXPECT_EQ(info.mediaType, kMediaTypeImage);
  EXPECT_EQ(info.originalImage.pixelSize.width, 1);
  ASSERT_TRUE(info.editedImage);
  EXPECT_EQ(info.editedImage->bytes.size(), sizeof kPng);
  EXPECT_EQ(info.referenceUrl, url);
  runFor(ViewController::kPresentationDuration + 0.1);
  EXPECT_FALSE(root->presentedViewController());
  EXPECT_FALSE(ImagePickerAnswers::shared().openPicker());
}

TEST_F(ImagePickerAnswersTest, CancelAndUnreadablePicturesEndAsACancel) {
  std::string garbage = writeFile("garbage.jpg", reinterpret_cast<const unsigned char*>("not a picture"), 13);
  std::string truncated = writeFile("cut.jpg", kTruncatedJpeg, sizeof kTruncatedJpeg);
  std::string png = writeFile("b.png", kPng, sizeof kPng);
  struct Case {
    const char* name;
    ImagePickerAnswer answer;
  };
  ImagePickerAnswer cancel;
  cancel.cancelled = true;
  const Case cases[] = {
      {"cancel", cancel},
      {"no pictures", ImagePickerAnswer{}},
      {"not a picture", pictureAnswer(garbage)},
      {"cut short", pictureAnswer(truncated)},
      {"missing file", pictureAnswer((homeDir() / "gone.jpg").string())},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    receiver->cancels = 0;
    auto picker = present(ImagePickerSource::Camera, false);
    runFor(ViewController::kPresentationDuration + 0.1);
    EXPECT_TRUE(ImagePickerAnswers::shared().answer(ImagePickerSource::Camera, c.answer));
    runFor(0.1);
    EXPECT_EQ(receiver->cancels, 1);
    EXPECT_TRUE(receiver->picked.empty());
    runFor(ViewController::kPresentationDuration + 0.1);
    EXPECT_FALSE(root->presentedViewController());
  }

  // A taken picture without editing has no edited image.
  present(ImagePickerSource::Camera, false);
  runFor(ViewController::kPresentationDuration + 0.1);
  ImagePickerAnswers::shared().answer(ImagePickerSource::Camera, pictureAnswer(png));
  runFor(0.1);
  ASSERT_EQ(receiver->picked.size(), 1u);
  EXPECT_FALSE(receiver->picked[0].editedImage);
  EXPECT_EQ(receiver->picked[0].referenceUrl, "");
}

TEST_F(ImagePickerAnswersTest, CameraAvailabilityAndTheOwnNavigationStack) {
  EXPECT_TRUE(ImagePickerController::isSourceTypeAvailable(ImagePickerSource::Camera));
  services::Camera::shared().setAvailable(false);
  EXPECT_FALSE(ImagePickerController::isSourceTypeAvailable(ImagePickerSource::Camera));
  EXPECT_TRUE(ImagePickerController::isSourceTypeAvailable(ImagePickerSource::PhotoLibrary));

  auto picker = present(ImagePickerSource::PhotoLibrary, false);
  picker->setNavigationBarHidden(true);
  runFor(ViewController::kPresentationDuration + 0.1);
  auto editing = std::make_shared<ViewController>();
  picker->pushViewController(editing, true);
  EXPECT_EQ(picker->topViewController(), editing);
  EXPECT_EQ(editing->parentViewController(), picker);
  EXPECT_TRUE(editing->view()->isDescendantOfView(picker->view().get()));
  EXPECT_EQ(picker->popViewControllerAnimated(true), editing);
  EXPECT_TRUE(picker->viewControllers().empty());
  EXPECT_EQ(picker->popViewControllerAnimated(true), nullptr);
}

}  // namespace
