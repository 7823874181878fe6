#include "platform/ui/AnnotationView.h"

#include "platform/ui/MapView.h"
#include "platform/ui/NoticeParts.h"

namespace platform {

namespace {
constexpr double kCalloutWidth = 200;
constexpr double kCalloutLine = 22;
}  // namespace

AnnotationView::AnnotationView(std::shared_ptr<Annotation> annotation, std::string reuseIdentifier)
    : View(Rect(0, 0, 16, 16)), annotation_(std::move(annotation)), reuseIdentifier_(std::move(reuseIdentifier)) {
  setBackgroundColor(Color::clear());
}

void AnnotationView::setSelected(bool selected, bool animated) {
  (void)animated;
  selected_ = selected;
  if (callout_) {
    callout_->removeFromSuperview();
    callout_.reset();
  }
  if (!selected || !canShowCallout_ || !annotation_ || annotation_->title().empty()) return;
  std::string subtitle = annotation_->subtitle();
  double height = kCalloutLine * (subtitle.empty() ? 1 : 2) + 8;
  callout_ = View::create(Rect((bounds().width() - kCalloutWidth) / 2, -height - 4, kCalloutWidth, height));
  callout_->setBackgroundColor(Color::black().withAlpha(0.8));
  callout_->layer().cornerRadius = 6;
  callout_->addSubview(std::make_shared<NoticeTextView>(annotation_->title(), Rect(8, 4, kCalloutWidth - 16, kCalloutLine)));
  if (!subtitle.empty()) {
    callout_->addSubview(
        std::make_shared<NoticeTextView>(subtitle, Rect(8, 4 + kCalloutLine, kCalloutWidth - 16, kCalloutLine)));
  }
  addSubview(callout_);
}

void AnnotationView::touchesEnded(const TouchSet&, const Event&) {
  auto map = map_.lock();
  if (map && annotation_) map->selectAnnotation(annotation_, true);
}

PinAnnotationView::PinAnnotationView(std::shared_ptr<Annotation> annotation, std::string reuseIdentifier)
    : AnnotationView(std::move(annotation), std::move(reuseIdentifier)) {
  setFrame(Rect(0, 0, 32, 39));
  setCenterOffset({8, -15});
  setPinColor(PinAnnotationColor::Red);
}

void PinAnnotationView::setPinColor(PinAnnotationColor color) { pinColor_ = color; }

}  // namespace platform
