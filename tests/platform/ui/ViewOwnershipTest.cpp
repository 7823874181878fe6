#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/ProgressHud.h"
#include "platform/ui/ProgressView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TapGestureRecognizer.h"
#include "platform/ui/WebView.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace platform::testing {
namespace {

// A view that breaks the ownership rule: it builds its insides in its constructor.
class BuiltTooEarly : public View {
 public:
  enum class Part { Subview, GestureRecognizer };
  explicit BuiltTooEarly(Part part) {
    if (part == Part::Subview) addSubview(View::create());
    else addGestureRecognizer(std::make_shared<TapGestureRecognizer>());
  }
};

class ViewOwnershipTest : public UiTest {};

TEST_F(ViewOwnershipTest, AViewNotYetOwnedCannotBeGivenInsides) {
#ifdef NDEBUG
  GTEST_SKIP() << "the rule is enforced in debug and test builds";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(BuiltTooEarly view(BuiltTooEarly::Part::Subview), "addSubview on a View that no shared pointer owns");
  EXPECT_DEATH(BuiltTooEarly view(BuiltTooEarly::Part::GestureRecognizer),
               "addGestureRecognizer on a View that no shared pointer owns");
  // Once owned, the same calls are fine.
  auto owned = View::create();
  owned->addSubview(View::create());
  owned->addGestureRecognizer(std::make_shared<TapGestureRecognizer>());
  EXPECT_EQ(owned->subviews().front()->superview(), owned);
#endif
}

// Every descendant of `root` reaches the window through its superviews, and its
// origin converts to window coordinates as the sum of its ancestors' placements.
void expectEveryChildConvertsToTheWindow(const std::shared_ptr<View>& root, const std::shared_ptr<Window>& window,
                                         Point rootOrigin) {
  std::function<void(const std::shared_ptr<View>&, Point)> walk = [&](const std::shared_ptr<View>& view,
                                                                       Point origin) {
    EXPECT_EQ(view->window(), window) << view->className();
    Point converted = view->convertPointToView({0, 0}, nullptr);
    EXPECT_DOUBLE_EQ(converted.x, origin.x + view->bounds().x()) << view->className();
    EXPECT_DOUBLE_EQ(converted.y, origin.y + view->bounds().y()) << view->className();
    for (const auto& child : view->subviews()) {
      EXPECT_EQ(child->superview(), view) << child->className() << " in " << view->className();
      Rect f = child->frame();
      walk(child, {origin.x + f.x() - view->bounds().x(), origin.y + f.y() - view->bounds().y()});
    }
  };
  walk(root, rootOrigin);
}

TEST_F(ViewOwnershipTest, ChildrenOfViewsWithInsidesConvertToTheWindow) {
  struct Case {
    const char* name;
    std::function<std::shared_ptr<View>()> make;
  };
  const Case cases[] = {
      {"web view", [] { return WebView::create({0, 0, 200, 300}); }},
      {"progress view", [] { return ProgressView::initWithProgressViewStyle(ProgressViewStyle::Default); }},
      {"progress notice",
       [] {
         auto holder = View::create({0, 0, 240, 240});
         auto hud = ProgressHud::showHUDAddedTo(holder, false);
         hud->setLabelText("加载中");
         return holder;
       }},
      {"table cell",
       [] {
         auto cell = TableViewCell::create(TableViewCellStyle::Subtitle, "cell");
         cell->textLabel()->setText("标题");
         cell->detailTextLabel()->setText("说明");
         return cell;
       }},
      {"button",
       [] {
         auto button = Button::create({0, 0, 120, 40});
         button->setTitle("发表", 0);
         return button;
       }},
      {"date picker", [] { return DatePicker::create(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto window = makeWindow();
    auto holder = View::create({30, 50, 260, 400});
    window->addSubview(holder);
    auto view = c.make();
    view->setFrame({10, 20, view->bounds().width(), view->bounds().height()});
    holder->addSubview(view);
    window->layoutIfNeeded();
    expectEveryChildConvertsToTheWindow(view, window, {40, 70});
    EXPECT_FALSE(view->subviews().empty());
  }
}

}  // namespace
}  // namespace platform::testing
