#pragma once
// A picture view that reports single, double and triple taps to its tap
// delegate, then passes the ended touches on up the responder chain. It takes
// touches from the start.
#include <memory>
#include <string>

#include "platform/ui/ImageView.h"

namespace vorn {

class PyxoTapDetectingImageView;

class PyxoTapDetectingImageViewDelegate {
 public:
  virtual ~PyxoTapDetectingImageViewDelegate() = default;
  virtual void singleTapDetected(PyxoTapDetectingImageView& imageView, const platform::Touch& touch) {
    (void)imageView; (void)touch;
  }
  virtual void doubleTapDetected(PyxoTapDetectingImageView& imageView, const platform::Touch& touch) {
    (void)imageView; (void)touch;
  }
  virtual void tripleTapDetected(PyxoTapDetectingImageView& imageView, const platform::Touch& touch) {
    (void)imageView; (void)touch;
  }
};

class PyxoTapDetectingImageView : public platform::ImageView {
 public:
  explicit PyxoTapDetectingImageView(const platform::Rect& frame = {});
  explicit PyxoTapDetectingImageView(std::shared_ptr<const platform::Image> image,
                                     std::shared_ptr<const platform::Image> highlighted = nullptr);
  static std::shared_ptr<PyxoTapDetectingImageView> create(const platform::Rect& frame = {}) {
    return std::make_shared<PyxoTapDetectingImageView>(frame);
  }
  std::string className() const override { return "PyxoTapDetectingImageView"; }

  std::shared_ptr<PyxoTapDetectingImageViewDelegate> tapDelegate() const { return tapDelegate_.lock(); }
  void setTapDelegate(std::weak_ptr<PyxoTapDetectingImageViewDelegate> d) { tapDelegate_ = std::move(d); }

  void touchesEnded(const platform::TouchSet& touches, const platform::Event& event) override;

 private:
  std::weak_ptr<PyxoTapDetectingImageViewDelegate> tapDelegate_;
};

}  // namespace vorn
