#pragma once
// The view that marks an annotation on a map, with an optional callout (title
// and subtitle in a bubble above it) shown while it is selected. A tap on it
// selects it on its map.
#include <memory>
#include <string>

#include "platform/ui/MapAnnotation.h"
#include "platform/ui/View.h"

namespace platform {

class MapView;

class AnnotationView : public View {
 public:
  AnnotationView(std::shared_ptr<Annotation> annotation, std::string reuseIdentifier);
  std::string className() const override { return "AnnotationView"; }

  std::shared_ptr<Annotation> annotation() const { return annotation_; }
  void setAnnotation(std::shared_ptr<Annotation> annotation) { annotation_ = std::move(annotation); }
  const std::string& reuseIdentifier() const { return reuseIdentifier_; }
  bool canShowCallout() const { return canShowCallout_; }
  void setCanShowCallout(bool on) { canShowCallout_ = on; }
  // Where the view's centre sits relative to the annotation's point.
  Point centerOffset() const { return centerOffset_; }
  void setCenterOffset(Point offset) { centerOffset_ = offset; }
  bool isSelected() const { return selected_; }
  // Selecting shows the callout when the view can show one and the annotation has a title.
  void setSelected(bool selected, bool animated);
  std::shared_ptr<View> calloutView() const { return callout_; }

  void touchesEnded(const TouchSet& touches, const Event& event) override;

 private:
  friend class MapView;
  std::shared_ptr<Annotation> annotation_;
  std::string reuseIdentifier_;
  bool canShowCallout_ = false;
  Point centerOffset_;
  bool selected_ = false;
  std::shared_ptr<View> callout_;
  std::weak_ptr<MapView> map_;
};

enum class PinAnnotationColor { Red = 0, Green = 1, Purple = 2 };

class PinAnnotationView : public AnnotationView {
 public:
  static constexpr double kDropDuration = 0.3;
  PinAnnotationView(std::shared_ptr<Annotation> annotation, std::string reuseIdentifier);
  std::string className() const override { return "PinAnnotationView"; }
  PinAnnotationColor pinColor() const { return pinColor_; }
  void setPinColor(PinAnnotationColor color);
  // When on, the pin falls into place as it is added to a map.
  bool animatesDrop() const { return animatesDrop_; }
  void setAnimatesDrop(bool on) { animatesDrop_ = on; }

 private:
  PinAnnotationColor pinColor_ = PinAnnotationColor::Red;
  bool animatesDrop_ = false;
};

}  // namespace platform
