#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "platform/services/Camera.h"
#include "platform/services/ImagePickerAnswers.h"

using platform::RunLoop;
using namespace platform::services;

namespace {

class ImagePickerAnswersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().useVirtualClock(1'800'000'000.0);
    ImagePickerAnswers::shared().reset();
    Camera::shared().reset();
  }
  void TearDown() override { ImagePickerAnswers::shared().reset(); }

  ImagePickerAnswers::Receiver receiver() {
    return [this](const ImagePickerAnswer& a) { answers_.push_back(a); };
  }
  static ImagePickerAnswer taken(const std::string& file) { return {false, {{file, ""}}}; }

  std::vector<ImagePickerAnswer> answers_;
};

TEST_F(ImagePickerAnswersTest, ACameraAnswerWaitsForTheCameraToComeUp) {
  auto& answers = ImagePickerAnswers::shared();
  EXPECT_FALSE(answers.answer(ImagePickerSource::Camera, taken("/tmp/shot.jpg")));
  EXPECT_EQ(answers.waitingAnswers(), 1u);

  answers.pickerOpened(ImagePickerSource::PhotoLibrary, receiver());  // not the camera
  RunLoop::main().runUntilIdle();
  EXPECT_TRUE(answers_.empty());
  answers.pickerClosed();

  answers.pickerOpened(ImagePickerSource::Camera, receiver());
  EXPECT_TRUE(answers_.empty());  // on the main loop
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(answers_.size(), 1u);
  ASSERT_EQ(answers_[0].pictures.size(), 1u);
  EXPECT_EQ(answers_[0].pictures[0].filePath, "/tmp/shot.jpg");
  EXPECT_EQ(answers.waitingAnswers(), 0u);
}

TEST_F(ImagePickerAnswersTest, AnOpenPickerGetsOneAnswerAndTheNextWaits) {
  auto& answers = ImagePickerAnswers::shared();
  answers.pickerOpened(ImagePickerSource::SavedPhotosAlbum, receiver());
  ImagePickerAnswer picked{false, {{"/lib/IMG_0002.JPG", "assets-library://asset/asset.JPG?id=B&ext=JPG"},
                                   {"/lib/IMG_0001.JPG", "assets-library://asset/asset.JPG?id=A&ext=JPG"}}};
  EXPECT_TRUE(answers.answer(ImagePickerSource::PhotoLibrary, picked));
  EXPECT_FALSE(answers.answer(ImagePickerSource::PhotoLibrary, {true, {}}));
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(answers_.size(), 1u);
  EXPECT_EQ(answers_[0].pictures.size(), 2u);

  answers.pickerClosed();
  answers.pickerOpened(ImagePickerSource::PhotoLibrary, receiver());
  RunLoop::main().runUntilIdle();
  ASSERT_EQ(answers_.size(), 2u);
  EXPECT_TRUE(answers_[1].cancelled);
}

TEST_F(ImagePickerAnswersTest, APickerClosedBeforeItsAnswerArrivesHearsNothing) {
  auto& answers = ImagePickerAnswers::shared();
  answers.pickerOpened(ImagePickerSource::Camera, receiver());
  EXPECT_TRUE(answers.answer(ImagePickerSource::Camera, {true, {}}));
  answers.pickerClosed();
  RunLoop::main().runUntilIdle();
  EXPECT_TRUE(answers_.empty());
  EXPECT_FALSE(answers.openPicker().has_value());
}

TEST_F(ImagePickerAnswersTest, CameraAvailabilityAndPermissionAreSettable) {
  auto& camera = Camera::shared();
  EXPECT_TRUE(camera.isAvailable());
  EXPECT_EQ(camera.captureAuthorizationStatus(), kCaptureAuthorized);
  camera.setAvailable(false);
  EXPECT_FALSE(camera.isAvailable());
  for (int status : {kCaptureNotDetermined, kCaptureRestricted, kCaptureDenied, kCaptureAuthorized}) {
    EXPECT_TRUE(camera.setCaptureAuthorizationStatus(status));
    EXPECT_EQ(camera.captureAuthorizationStatus(), status);
  }
  EXPECT_FALSE(camera.setCaptureAuthorizationStatus(4));
  EXPECT_FALSE(camera.setCaptureAuthorizationStatus(-1));
  EXPECT_EQ(camera.captureAuthorizationStatus(), kCaptureAuthorized);
}

}  // namespace
