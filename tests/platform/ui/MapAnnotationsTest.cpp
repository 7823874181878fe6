// The map: region and centre, annotations with their pins (colour, drop,
// callout), selection by finger, and the device's own place from the location
// stand-in.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/services/LocationManager.h"
#include "platform/ui/MapView.h"
#include "platform/ui/NoticeParts.h"
#include "tests/platform/ui/Finger.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

using namespace platform;

struct Pins : MapViewDelegate {
  std::vector<std::shared_ptr<Annotation>> mine;
  int added = 0;
  int regionChanges = 0;
  int userUpdates = 0;
  std::vector<std::string> selected;
  std::shared_ptr<AnnotationView> viewForAnnotation(MapView&, const std::shared_ptr<Annotation>& a) override {
    if (std::find(mine.begin(), mine.end(), a) == mine.end()) return nullptr;
    auto pin = std::make_shared<PinAnnotationView>(a, "");
    pin->setCanShowCallout(true);
    pin->setAnimatesDrop(true);
    pin->setPinColor(PinAnnotationColor::Red);
    return pin;
  }
  void didAddAnnotationViews(MapView&, const std::vector<std::shared_ptr<AnnotationView>>& v) override {
    added += static_cast<int>(v.size());
  }
  void didSelectAnnotationView(MapView&, AnnotationView& v) override { selected.push_back(v.annotation()->title()); }
  void regionDidChangeAnimated(MapView&, bool) override { ++regionChanges; }
  void didUpdateUserLocation(MapView&, UserLocation&) override { ++userUpdates; }
};

class MapAnnotationsTest : public platform::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    services::LocationManager::resetAll();
    window = makeWindow();
    map = MapView::create({0, 51, 320, 446});
    window->addSubview(map);
    pins = std::make_shared<Pins>();
    map->setDelegate(pins);
  }
  void TearDown() override {
    map.reset();
    services::LocationManager::resetAll();
    UiTest::TearDown();
  }
  void tapAt(Point p) { platform::testing::tapAt(window, p); }

  std::shared_ptr<Window> window;
  std::shared_ptr<MapView> map;
  std::shared_ptr<Pins> pins;
};

TEST_F(MapAnnotationsTest, DealerPinDropsAtItsPlaceAndShowsItsNameWhenTapped) {
  map->setRegion({{31.2, 121.5}, {0.3, 0.3}}, true);
  auto dealer = std::make_shared<PointAnnotation>(LocationCoordinate2D{31.2, 121.5}, "沃恩汽车4S店");
  pins->mine.push_back(dealer);
  map->addAnnotations({dealer});
  EXPECT_EQ(pins->added, 1);
  EXPECT_EQ(map->region(), (CoordinateRegion{{31.2, 121.5}, {0.3, 0.3}}));

  auto pin = std::dynamic_pointer_cast<PinAnnotationView>(map->viewForAnnotation(dealer));
  ASSERT_TRUE(pin);
  EXPECT_EQ(pin->pinColor(), PinAnnotationColor::Red);
  Point at = map->convertCoordinateToPoint(dealer->coordinate());
  EXPECT_DOUBLE_EQ(at.x, 160);
  EXPECT_DOUBLE_EQ(at.y, 223);
  EXPECT_DOUBLE_EQ(pin->center().x, at.x + pin->centerOffset().x);
  EXPECT_LT(pin->presentationCenter(RunLoop::main().now()).y, pin->center().y) << "still falling";
  runFor(PinAnnotationView::kDropDuration + 0.05);
  EXPECT_EQ(pins->regionChanges, 1);

  tapAt(pin->frameInWindow().center());
  EXPECT_EQ(pins->selected, std::vector<std::string>{"沃恩汽车4S店"});
  ASSERT_TRUE(pin->calloutView());
  EXPECT_EQ(pin->calloutView()->subviews().front()->automationText(), "沃恩汽车4S店");
  tapAt({20, 480});  // the map elsewhere
  EXPECT_TRUE(map->selectedAnnotations().empty());
  EXPECT_FALSE(pin->calloutView());
}

TEST_F(MapAnnotationsTest, AnnotationsAreAddedOnceAndRemovedCleanly) {
  auto a = std::make_shared<PointAnnotation>(LocationCoordinate2D{31.2, 121.5}, "A", "sub");
  auto b = std::make_shared<PointAnnotation>(LocationCoordinate2D{31.3, 121.6}, "B");
  auto nowhere = std::make_shared<PointAnnotation>(
      LocationCoordinate2D{std::numeric_limits<double>::quiet_NaN(), 121.0}, "C");
  map->addAnnotations({a, b, a, nowhere, nullptr});
  EXPECT_EQ(map->annotations().size(), 3u);
  auto standard = map->viewForAnnotation(b);
  ASSERT_TRUE(std::dynamic_pointer_cast<PinAnnotationView>(standard)) << "no view from the delegate: a red pin";
  EXPECT_TRUE(standard->canShowCallout());
  EXPECT_TRUE(map->viewForAnnotation(nowhere)->isHidden());
  map->selectAnnotation(a, false);
  ASSERT_TRUE(map->viewForAnnotation(a)->calloutView());
  EXPECT_EQ(map->viewForAnnotation(a)->calloutView()->subviews().size(), 2u) << "title and subtitle";
  map->removeAnnotations(map->annotations());
  EXPECT_TRUE(map->annotations().empty());
  EXPECT_TRUE(map->selectedAnnotations().empty());
  EXPECT_EQ(map->subviews().size(), 0u);
  map->setCenterCoordinate({std::numeric_limits<double>::quiet_NaN(), 0}, true);
  EXPECT_TRUE(isValidCoordinate(map->centerCoordinate()));
}

TEST_F(MapAnnotationsTest, UserLocationHasNoPlaceUntilTheFirstFix) {
  map->setShowsUserLocation(true);
  runFor(0.5);
  EXPECT_FALSE(map->userLocation()->hasFix());
  EXPECT_LT(map->userLocation()->coordinate().latitude, -90);
  EXPECT_FALSE(map->isUserLocationVisible());
  auto marker = map->viewForAnnotation(map->userLocation());
  ASSERT_TRUE(marker);
  EXPECT_EQ(marker->className(), "UserLocationView");

  services::LocationManager::setDevicePosition(31.25, 121.45);
  runFor(0.5);
  EXPECT_TRUE(map->userLocation()->hasFix());
  EXPECT_EQ(pins->userUpdates, 1);
  map->setCenterCoordinate(map->userLocation()->coordinate(), true);
  EXPECT_EQ(map->centerCoordinate(), (LocationCoordinate2D{31.25, 121.45}));
  EXPECT_TRUE(map->isUserLocationVisible());

  map->setShowsUserLocation(false);
  EXPECT_TRUE(map->annotations().empty());
}

}  // namespace
