// What the driver's look-ups, touches and dump count as visible: what a person
// sees over a stack of screens, a full-screen panel and an alert's window.
#include <functional>

#include "UiTestFixture.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/ViewVisibility.h"

namespace platform::testing {
namespace {

class Caption : public View {
 public:
  Caption(const Rect& f, std::string t, std::int64_t tag = 0) : View(f), text(std::move(t)) { setTag(tag); }
  std::string className() const override { return "Caption"; }
  std::string automationText() const override { return text; }
  std::string text;
};

// Keeps every child but the last out of sight, as a navigation container does.
class Stack : public ViewController {
 public:
  bool keepsChildOutOfSight(const ViewController& child) const override {
    return childViewControllers().empty() || childViewControllers().back().get() != &child;
  }
  void push(const std::shared_ptr<ViewController>& screen) {
    addChildViewController(screen);
    view()->addSubview(screen->view());
    screen->view()->setFrame(view()->bounds());
    screen->didMoveToParentViewController(this);
  }
};

// Remembers where the first touch of each sequence landed, in window coordinates.
class TouchPad : public View {
 public:
  using View::View;
  void touchesBegan(const TouchSet& touches, const Event&) override {
    for (auto& t : touches) pressedAt.push_back(t->locationInView(nullptr));
  }
  std::vector<Point> pressedAt;
};

// The front-most view under `root` showing exactly `text`.
std::shared_ptr<View> descendantWithText(const std::shared_ptr<View>& root, const std::string& text) {
  const auto& subviews = root->subviews();
  for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
    if (auto found = descendantWithText(*it, text)) return found;
    if ((*it)->automationText() == text) return *it;
  }
  return nullptr;
}

class ViewVisibilityTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window = makeWindow();
    window->setBackgroundColor(Color::white());
    stack = std::make_shared<Stack>();
    window->setRootViewController(stack);

    // Home: a band, a button-like caption, and a list that clips a half row.
    home = std::make_shared<ViewController>();
    homeBand = std::make_shared<Caption>(Rect{0, 64, 320, 40}, "新闻资讯", kBandTag);
    homeOk = std::make_shared<Caption>(Rect{0, 200, 320, 40}, "确定");
    list = View::create({0, 300, 320, 100});
    list->setClipsToBounds(true);
    halfRow = std::make_shared<Caption>(Rect{0, 60, 320, 80}, "半行");
    list->addSubview(halfRow);
    for (auto& v : {homeBand, homeOk}) home->view()->addSubview(v);
    home->view()->addSubview(list);
    stack->push(home);
  }

  // A screen over home with its own band, its view as clear as home's.
  void pushArticle() {
    article = std::make_shared<ViewController>();
    articleBand = std::make_shared<Caption>(Rect{0, 64, 320, 40}, "新闻", kBandTag);
    articleBody = std::make_shared<Caption>(Rect{0, 150, 320, 40}, "正文");
    article->view()->addSubview(articleBand);
    article->view()->addSubview(articleBody);
    stack->push(article);
  }

  // An opaque panel over everything below y 100: it leaves the top 36 points
  // of the article's band uncovered.
  void coverWithPanel() {
    panel = View::create({0, 100, 320, 468});
    panel->setBackgroundColor(Color::rgb255(30, 30, 30));
    panelOk = std::make_shared<Caption>(Rect{0, 200, 320, 40}, "确定");
    panel->addSubview(panelOk);
    window->addSubview(panel);
  }

  void showAlert() {
    alert = AlertView::initWithTitle("", "删除这条草稿?", {}, "取消", {"确定"});
    alert->show();
    runFor(1);
    alertOk = descendantWithText(alert, "确定");
    ASSERT_TRUE(alertOk);
  }

  static constexpr std::int64_t kBandTag = 101;

 public:  // the cases name the views through member pointers
  std::shared_ptr<Window> window;
  std::shared_ptr<Stack> stack;
  std::shared_ptr<ViewController> home, article;
  std::shared_ptr<View> homeBand, homeOk, list, halfRow, articleBand, articleBody, panel, panelOk, alertOk;
  std::shared_ptr<AlertView> alert;
};

TEST_F(ViewVisibilityTest, TargetsResolveFrontMostAmongWhatAPersonSees) {
  enum class Scene { Home, Pushed, Panel, Alert };
  struct Case {
    Scene scene;
    const char* target;
    std::shared_ptr<View> ViewVisibilityTest::*expected;  // null member: nothing found
    Point touch;                                          // where a tap on it lands
  } cases[] = {
      {Scene::Home, "#101", &ViewVisibilityTest::homeBand, {160, 84}},
      {Scene::Home, "\"半行\"", &ViewVisibilityTest::halfRow, {160, 380}},  // the part inside its list
      {Scene::Home, "\"确定\"", &ViewVisibilityTest::homeOk, {160, 220}},
      {Scene::Pushed, "#101", &ViewVisibilityTest::articleBand, {160, 84}},
      {Scene::Pushed, ".Caption", &ViewVisibilityTest::articleBody, {160, 170}},
      {Scene::Pushed, "\"资讯\"", nullptr, {}},  // home is under the article
      {Scene::Pushed, "\"半行\"", nullptr, {}},
      {Scene::Panel, "#101", &ViewVisibilityTest::articleBand, {160, 82}},  // its uncovered strip
      {Scene::Panel, "\"正文\"", nullptr, {}},
      {Scene::Panel, "\"确定\"", &ViewVisibilityTest::panelOk, {160, 320}},
      {Scene::Panel, ".Caption", &ViewVisibilityTest::panelOk, {160, 320}},
      {Scene::Alert, "\"确定\"", &ViewVisibilityTest::alertOk, {}},
      {Scene::Alert, "#101", &ViewVisibilityTest::articleBand, {160, 82}},  // dimmed, still seen
  };
  Scene built = Scene::Home;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    while (built < c.scene) {
      built = static_cast<Scene>(static_cast<int>(built) + 1);
      if (built == Scene::Pushed) pushArticle();
      if (built == Scene::Panel) coverWithPanel();
      if (built == Scene::Alert) showAlert();
    }
    auto found = TestDriver::find(c.target);
    if (!c.expected) {
      EXPECT_EQ(found, nullptr);
      continue;
    }
    const auto& expected = this->*c.expected;
    ASSERT_EQ(found, expected);
    EXPECT_TRUE(TestDriver::isVisible(*found));
    if (c.scene != Scene::Alert || c.expected != &ViewVisibilityTest::alertOk) {
      Point p = TestDriver::touchPointOf(*found);
      EXPECT_DOUBLE_EQ(p.x, c.touch.x);
      EXPECT_DOUBLE_EQ(p.y, c.touch.y);
    }
  }
  // A tap on the alert's button reaches it, not the panel's under it.
  EXPECT_EQ(TestDriver::tap(TestDriver::find("\"确定\""))->window(), alertOk->window());
}

TEST_F(ViewVisibilityTest, DumpMarksWhatIsSeen) {
  pushArticle();
  auto tree = *parseJson(TestDriver::dump());
  ASSERT_EQ(tree["children"].size(), 1u);
  const auto& stackView = tree["children"][0]["children"][0];
  ASSERT_EQ(stackView["children"].size(), 2u);
  const auto& homeView = stackView["children"][0];
  const auto& articleView = stackView["children"][1];
  EXPECT_EQ(homeView["visible"], false);
  EXPECT_EQ(homeView["children"][0]["visible"], false) << "under the article";
  EXPECT_EQ(articleView["children"][0]["text"], "新闻");
  EXPECT_EQ(articleView["children"][0]["visible"], true);

  articleBody->setAlpha(0.005);
  auto body = TestDriver::dumpValue(*articleBody);
  EXPECT_EQ(body["visible"], false);
  EXPECT_EQ(body["alpha"], 0.005);
}

TEST_F(ViewVisibilityTest, VisibilityFollowsHiddenAlphaClippingAndOpaqueCover) {
  struct Case {
    const char* name;
    std::function<void(View& target, View& window)> change;
    bool visible;
  } cases[] = {
      {"as placed", [](View&, View&) {}, true},
      {"hidden", [](View& t, View&) { t.setHidden(true); }, false},
      {"faint", [](View& t, View&) { t.setAlpha(0.009); }, false},
      {"just visible", [](View& t, View&) { t.setAlpha(0.01); }, true},
      {"off screen", [](View& t, View&) { t.setFrame({400, 100, 50, 50}); }, false},
      {"clipped away", [](View& t, View&) { t.setFrame({0, 200, 50, 50}); }, false},
      {"covered by an opaque view", [](View&, View& w) {
         auto cover = View::create({0, 0, 320, 300});
         cover->setBackgroundColor(Color::black());
         w.addSubview(cover);
       }, false},
      {"under a see-through view", [](View&, View& w) {
         auto veil = View::create({0, 0, 320, 300});
         veil->setBackgroundColor(Color::black().withAlpha(0.5));
         w.addSubview(veil);
       }, true},
      {"under a faded opaque view", [](View&, View& w) {
         auto veil = View::create({0, 0, 320, 300});
         veil->setBackgroundColor(Color::black());
         veil->setAlpha(0.5);
         w.addSubview(veil);
       }, true},
      {"partly covered", [](View&, View& w) {
         auto cover = View::create({0, 0, 320, 110});
         cover->setBackgroundColor(Color::black());
         w.addSubview(cover);
       }, true},
      {"its own opaque child over it", [](View& t, View&) {
         auto inner = View::create({0, 0, 50, 50});
         inner->setBackgroundColor(Color::black());
         t.addSubview(inner);
       }, true},
      {"in a hidden window", [](View&, View& w) { w.setHidden(true); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Application::sharedApplication().reset();
    auto w = makeWindow();
    auto clip = View::create({0, 0, 320, 150});
    clip->setClipsToBounds(true);
    auto target = std::make_shared<Caption>(Rect{10, 100, 50, 50}, "目标");
    clip->addSubview(target);
    w->addSubview(clip);
    c.change(*target, *w);
    EXPECT_EQ(TestDriver::isVisible(*target), c.visible);
    EXPECT_EQ(TestDriver::find("\"目标\"") != nullptr, c.visible);
  }
}

TEST_F(ViewVisibilityTest, DragFromAPointPressesAtThatPoint) {
  auto pad = std::make_shared<TouchPad>(Rect{0, 0, 320, 568});
  window->addSubview(pad);
  EXPECT_EQ(TestDriver::dragFrom({12, 34}, 0, 100), pad);
  EXPECT_EQ(TestDriver::drag(pad, 0, 100), pad);
  ASSERT_EQ(pad->pressedAt.size(), 2u);
  EXPECT_EQ(pad->pressedAt[0], (Point{12, 34}));
  EXPECT_EQ(pad->pressedAt[1], (Point{160, 284}));  // a view is pressed at its centre
}

}  // namespace
}  // namespace platform::testing
