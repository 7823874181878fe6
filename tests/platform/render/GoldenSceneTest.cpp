// Rendered scenes compared with checked-in pictures (VORN_UPDATE_GOLDEN=1
// rewrites them after a deliberate change of the drawing).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "GoldenImage.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Button.h"
#include "platform/ui/EmojiLabel.h"
#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/MapView.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/ProgressView.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TagRichTextLabel.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"
#include "platform/ui/WebView.h"
#include "RenderTestFixture.h"

namespace platform::render::testing {
namespace {

class GoldenSceneTest : public RenderTest {
 protected:
  // The clock at a fixed moment so the status bar's time is the same every run.
  void SetUp() override {
    RenderTest::SetUp();
    RunLoop::main().useVirtualClock(1'765'373'400);  // 21:30 in Shanghai
  }
};

TEST_F(GoldenSceneTest, LabelledColouredLayout) {
  auto w = whiteWindow();
  auto bar = box({0, 20, 320, 44}, Color::rgb255(200, 30, 40));
  bar->addSubview(std::make_shared<TextView>(Rect{12, 0, 296, 44}, "沃恩汽车"));
  w->addSubview(bar);
  const Color tiles[] = {Color::rgb255(66, 133, 244), Color::rgb255(52, 168, 83), Color::rgb255(251, 188, 5),
                         Color::rgb255(120, 120, 120)};
  for (int i = 0; i < 4; ++i) {
    auto tile = box({10.0 + 155 * (i % 2), 80.0 + 110 * (i / 2), 145, 100}, tiles[i]);
    tile->addSubview(std::make_shared<TextView>(Rect{8, 56, 129, 40}, "新闻 News " + std::to_string(i + 1)));
    w->addSubview(tile);
  }
  w->addSubview(std::make_shared<TextView>(
      Rect{10, 310, 300, 120}, "长文本会在视图的宽度内换行，超出的部分以省略号结尾。Long text wraps by words too."));
  EXPECT_TRUE(matchesGolden(renderScreen(), "labelled-layout"));
}

TEST_F(GoldenSceneTest, CornersAlphaBordersAndTransforms) {
  auto w = whiteWindow();
  auto card = box({20, 40, 280, 160}, Color::rgb255(30, 144, 255));
  card->layer().cornerRadius = 16;
  card->layer().borderWidth = 3;
  card->layer().borderColor = Color::rgb255(0, 60, 120);
  card->setClipsToBounds(true);
  card->addSubview(box({200, 100, 120, 120}, Color::rgb255(255, 215, 0)));
  w->addSubview(card);
  auto faded = box({40, 240, 120, 120}, Color::rgb255(220, 20, 60));
  faded->setAlpha(0.4);
  w->addSubview(faded);
  auto turned = box({170, 260, 100, 60}, Color::rgb255(46, 139, 87));
  turned->setTransform(AffineTransform::rotation(M_PI / 8).scaled(1.2, 1.2));
  turned->layer().cornerRadius = 8;
  w->addSubview(turned);
  auto shadowed = box({60, 420, 200, 80}, Color::white());
  shadowed->layer().shadowOpacity = 0.6;
  shadowed->layer().shadowOffset = {0, 3};
  shadowed->layer().cornerRadius = 10;
  w->addSubview(shadowed);
  EXPECT_TRUE(matchesGolden(renderScreen(), "corners-alpha-transforms"));
}

TEST_F(GoldenSceneTest, AlertLevelWindowOverAScreenWithTheKeyboardUp) {
  auto w = whiteWindow();
  w->addSubview(box({0, 20, 320, 44}, Color::rgb255(245, 245, 245)));
  auto dim = Window::create({0, 0, 320, 568});
  dim->setWindowLevel(WindowLevel::Alert);
  dim->setBackgroundColor(Color::black().withAlpha(0.4));
  auto panel = box({30, 180, 260, 140}, Color::white(0.97));
  panel->layer().cornerRadius = 8;
  panel->addSubview(std::make_shared<TextView>(Rect{16, 10, 228, 80}, "网络不可用，请稍后再试"));
  dim->addSubview(panel);
  dim->setHidden(false);
  Keyboard::shared().show(KeyboardType::Default);
  runFor(0.5);
  EXPECT_TRUE(matchesGolden(renderScreen(), "alert-window-keyboard"));
}

TEST_F(GoldenSceneTest, WebPageTextAndLinksOverAMapWithPins) {
  auto w = whiteWindow();
  auto web = WebView::create(Rect{0, 20, 320, 260});
  web->loadHTMLString(
      "<html><head><title>试驾报告</title><style>p{color:red}</style></head><body>"
      "<p>这款车的油耗表现&amp;操控都不错。The ride is calm on the highway.</p>"
      "<script>var x = '<p>hidden</p>';</script>"
      "<p>更多内容见 <a href=\"/more\">全文阅读</a> 或 <a href=\"/list\">返回列表</a></p></body></html>",
      "http://example.test/");
  w->addSubview(web);
  auto map = std::make_shared<MapView>(Rect{0, 290, 320, 278});
  map->setRegion({{39.9, 116.4}, {0.1, 0.1}}, false);
  map->addAnnotation(std::make_shared<PointAnnotation>(LocationCoordinate2D{39.9, 116.4}, "4S店"));
  map->addAnnotation(std::make_shared<PointAnnotation>(LocationCoordinate2D{39.92, 116.42}, "展厅"));
  w->addSubview(map);
  runFor(0.5);
  map->selectAnnotation(map->annotations().front(), false);
  runFor(0.5);
  EXPECT_TRUE(matchesGolden(renderScreen(), "web-page-and-map"));
}

// A 60 x 40 pixel picture: a diagonal gradient, a red square in the top left
// corner and a white stripe at the bottom, so placement and orientation show.
std::shared_ptr<Image> markedPicture(double scale) {
  std::vector<std::uint8_t> px;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) {
      bool marker = x < 12 && y < 12, stripe = y >= 34;
      auto r = static_cast<std::uint8_t>(marker ? 230 : stripe ? 255 : 40 + x * 3);
      auto g = static_cast<std::uint8_t>(marker ? 20 : stripe ? 255 : 80 + y * 3);
      auto b = static_cast<std::uint8_t>(marker ? 20 : stripe ? 255 : 200 - x);
      px.insert(px.end(), {r, g, b, 255});
    }
  return Image::create(60, 40, scale, std::move(px));
}

// A 24 x 24 pixel (12 points at 2x) rounded bubble: a dark ring, light inside,
// transparent corners; stretched with 5-point caps.
std::shared_ptr<Image> bubblePicture(std::uint32_t inside) {
  std::vector<std::uint8_t> px;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      double dx = std::max({0.0, 6.0 - x - 0.5, x + 0.5 - 18.0}), dy = std::max({0.0, 6.0 - y - 0.5, y + 0.5 - 18.0});
      double d = std::sqrt(dx * dx + dy * dy);
      bool outside = d > 6, ring = d > 4 || x < 2 || y < 2 || x > 21 || y > 21;
      if (outside) {
        px.insert(px.end(), {0, 0, 0, 0});
      } else if (ring) {
        px.insert(px.end(), {30, 60, 120, 255});
      } else {
        px.insert(px.end(), {static_cast<std::uint8_t>(inside >> 16), static_cast<std::uint8_t>(inside >> 8),
                             static_cast<std::uint8_t>(inside), 255});
      }
    }
  return Image::create(24, 24, 2, std::move(px))->resizableImage({5, 5, 5, 5});
}

std::shared_ptr<Label> label(const Rect& frame, const std::string& text, platform::TextAlignment alignment,
                             int lines = 1, LineBreakMode mode = LineBreakMode::TruncateTail) {
  auto l = Label::create(frame);
  l->setText(text);
  l->setFont(Font::systemFont(14));
  l->setTextAlignment(alignment);
  l->setNumberOfLines(lines);
  l->setLineBreakMode(mode);
  l->setBackgroundColor(Color::rgb255(240, 240, 240));
  return l;
}

TEST_F(GoldenSceneTest, LabelsOfEveryAlignmentAndButtonsInTheirStates) {
  auto w = whiteWindow();
  const std::string sentence = "沃恩汽车 新款车型上市，全系降价三万元 Test drive today";
  w->addSubview(label({10, 24, 300, 22}, "左对齐 Left", platform::TextAlignment::Left));
  w->addSubview(label({10, 50, 300, 22}, "居中 Centre", platform::TextAlignment::Center));
  w->addSubview(label({10, 76, 300, 22}, "右对齐 Right", platform::TextAlignment::Right));
  w->addSubview(label({10, 102, 140, 22}, sentence, platform::TextAlignment::Left, 1, LineBreakMode::TruncateTail));
  w->addSubview(label({170, 102, 140, 22}, sentence, platform::TextAlignment::Left, 1, LineBreakMode::TruncateHead));
  w->addSubview(label({10, 128, 140, 22}, sentence, platform::TextAlignment::Left, 1, LineBreakMode::TruncateMiddle));
  w->addSubview(label({170, 128, 140, 22}, sentence, platform::TextAlignment::Left, 1, LineBreakMode::Clip));
  w->addSubview(label({10, 156, 145, 60}, sentence, platform::TextAlignment::Center, 2));
  w->addSubview(label({165, 156, 145, 60}, sentence, platform::TextAlignment::Left, 0, LineBreakMode::WordWrap));
  auto shrunk = label({10, 222, 150, 22}, sentence, platform::TextAlignment::Left);
  shrunk->setAdjustsFontSizeToFitWidth(true);
  shrunk->setMinimumFontSize(9);
  w->addSubview(shrunk);
  auto styled = label({170, 222, 140, 22}, "阴影 Shadow", platform::TextAlignment::Center);
  styled->setFont(Font::boldSystemFont(16));
  styled->setTextColor(Color::rgb255(200, 30, 40));
  styled->setShadowColor(Color::rgb255(120, 120, 120));
  styled->setShadowOffset({1, 1});
  w->addSubview(styled);
  auto faded = label({10, 248, 300, 22}, "不可用 Disabled", platform::TextAlignment::Left);
  faded->setEnabled(false);
  w->addSubview(faded);

  const char* titles[] = {"普通", "按下", "选中", "不可用"};
  for (int i = 0; i < 4; ++i) {
    auto button = Button::create({10.0 + 76 * i, 282, 70, 36});
    button->setBackgroundImage(bubblePicture(0xDDE8F5), ControlState::Normal);
    button->setBackgroundImage(bubblePicture(0xF5D090), ControlState::Selected);
    button->setTitle(titles[i], ControlState::Normal);
    button->setTitleColor(Color::rgb255(30, 60, 120), ControlState::Normal);
    button->setTitleColor(Color::white(), ControlState::Highlighted);
    button->setTitleColor(Color::rgb255(150, 150, 150), ControlState::Disabled);
    button->setHighlighted(i == 1);
    button->setSelected(i == 2);
    button->setEnabled(i != 3);
    w->addSubview(button);
  }
  auto system = Button::buttonWithType(ButtonType::System);
  system->setFrame({10, 330, 140, 30});
  system->setTitle("系统按钮 System", ControlState::Normal);
  w->addSubview(system);
  auto pressed = Button::buttonWithType(ButtonType::System);
  pressed->setFrame({170, 330, 140, 30});
  pressed->setTitle("按下 Pressed", ControlState::Normal);
  pressed->setHighlighted(true);
  w->addSubview(pressed);
  auto withImage = Button::create({10, 370, 300, 44});
  withImage->setBackgroundColor(Color::rgb255(200, 30, 40));
  withImage->setImage(markedPicture(2)->resized({24, 16}), ControlState::Normal);
  withImage->setTitle("图片和标题 Image and title", ControlState::Normal);
  withImage->setTitleEdgeInsets({0, 10, 0, 0});
  withImage->setContentEdgeInsets({0, 12, 0, 12});
  withImage->setContentHorizontalAlignment(ControlContentHorizontalAlignment::Left);
  w->addSubview(withImage);
  auto forum = EmojiLabel::create({10, 424, 300, 54});
  forum->setFont(Font::systemFont(14));
  forum->setText("回复 @沃恩小编 这款车的油耗表现和操控都不错，#试驾# 的时候很平稳。");
  w->addSubview(forum);
  auto rich = TagRichTextLabel::create({10, 484, 300, 40});
  rich->setFont(Font::systemFont(14));
  rich->setText("指导价 <font color='#C81E28' size='22'><b>12.8万</b></font> 起 <u>查看配置</u>");
  w->addSubview(rich);
  runFor(0.1);
  EXPECT_TRUE(matchesGolden(renderScreen(), "labels-and-buttons"));
}

TEST_F(GoldenSceneTest, PicturesInContentModesAndAStretchableBubble) {
  auto w = whiteWindow();
  auto picture = markedPicture(2);  // 30 x 20 points
  const ContentMode modes[] = {ContentMode::ScaleToFill, ContentMode::ScaleAspectFit, ContentMode::ScaleAspectFill,
                               ContentMode::Center,      ContentMode::Top,            ContentMode::BottomRight,
                               ContentMode::Left,        ContentMode::TopLeft,        ContentMode::Right};
  for (int i = 0; i < 9; ++i) {
    auto view = ImageView::create({10.0 + 102 * (i % 3), 26.0 + 82 * (i / 3), 96, 76});
    view->setBackgroundColor(Color::rgb255(225, 225, 225));
    view->setImage(picture);
    view->setContentMode(modes[i]);
    view->setClipsToBounds(true);
    w->addSubview(view);
  }
  auto wide = ImageView::create({10, 280, 300, 44});
  wide->setImage(bubblePicture(0xDDE8F5));
  w->addSubview(wide);
  auto tall = ImageView::create({10, 332, 60, 120});
  tall->setImage(bubblePicture(0xF5D090));
  w->addSubview(tall);
  auto small = ImageView::create({80, 332, 6, 6});  // smaller than its caps
  small->setImage(bubblePicture(0xF5D090));
  w->addSubview(small);
  auto highlighted = ImageView::initWithImage(picture, picture->withOrientation(ImageOrientation::Down));
  highlighted->setFrame({100, 332, 60, 40});
  highlighted->setHighlighted(true);
  w->addSubview(highlighted);
  auto turned = ImageView::initWithImage(picture->withOrientation(ImageOrientation::Right));
  turned->setFrame({180, 332, 40, 60});
  w->addSubview(turned);
  auto contents = View::create({100, 400, 120, 60});
  contents->layer().contents = picture;
  contents->setContentMode(ContentMode::ScaleAspectFit);
  contents->setBackgroundColor(Color::rgb255(60, 60, 60));
  contents->layer().cornerRadius = 10;
  contents->setClipsToBounds(true);
  w->addSubview(contents);
  EXPECT_TRUE(matchesGolden(renderScreen(), "pictures-and-stretching"));
}

TEST_F(GoldenSceneTest, TextFieldsSwitchesDotsProgressAndSpinners) {
  auto w = whiteWindow();
  // Above the keyboard: dots and a large spinner on a dark bar, switches,
  // progress bars, then the text fields (one editing) and a text view.
  auto dark = box({0, 24, 320, 56}, Color::rgb255(50, 50, 50));
  auto dots = PageControl::create({0, 4, 240, 20});
  dots->setNumberOfPages(6);
  dots->setCurrentPage(1);
  dark->addSubview(dots);
  auto coloured = PageControl::create({0, 30, 240, 20});
  coloured->setNumberOfPages(4);
  coloured->setCurrentPage(3);
  coloured->setPageIndicatorTintColor(Color::rgb255(180, 180, 180));
  coloured->setCurrentPageIndicatorTintColor(Color::rgb255(200, 30, 40));
  dark->addSubview(coloured);
  auto large = ActivityIndicatorView::initWithActivityIndicatorStyle(ActivityIndicatorViewStyle::WhiteLarge);
  large->setCenter({280, 28});
  large->setHidesWhenStopped(false);
  dark->addSubview(large);
  w->addSubview(dark);

  auto off = Switch::create({10, 86, 0, 0});
  auto on = Switch::create({80, 86, 0, 0});
  on->setOn(true);
  auto disabled = Switch::create({150, 86, 0, 0});
  disabled->setOn(true);
  disabled->setEnabled(false);
  w->addSubview(off);
  w->addSubview(on);
  w->addSubview(disabled);
  auto grey = ActivityIndicatorView::initWithActivityIndicatorStyle(ActivityIndicatorViewStyle::Gray);
  grey->setCenter({240, 101});
  grey->setHidesWhenStopped(false);
  w->addSubview(grey);
  auto white = ActivityIndicatorView::initWithActivityIndicatorStyle(ActivityIndicatorViewStyle::White);
  auto whiteBack = box({266, 86, 30, 30}, Color::rgb255(0, 122, 255));
  white->setCenter({15, 15});
  white->startAnimating();
  whiteBack->addSubview(white);
  w->addSubview(whiteBack);

  auto progress = ProgressView::initWithProgressViewStyle(ProgressViewStyle::Default);
  progress->setFrame({10, 126, 300, 0});
  progress->setProgress(0.3);
  w->addSubview(progress);
  auto barStyle = ProgressView::initWithProgressViewStyle(ProgressViewStyle::Bar);
  barStyle->setFrame({10, 136, 300, 0});
  barStyle->setProgress(0.7);
  w->addSubview(barStyle);

  auto placeholder = TextField::create({10, 146, 300, 32});
  placeholder->setBorderStyle(TextBorderStyle::RoundedRect);
  placeholder->setPlaceholder("请输入用户名");
  w->addSubview(placeholder);
  auto secure = TextField::create({10, 182, 300, 32});
  secure->setBorderStyle(TextBorderStyle::RoundedRect);
  secure->setSecureTextEntry(true);
  secure->setText("password");
  w->addSubview(secure);
  auto centred = TextField::create({10, 218, 300, 32});
  centred->setBorderStyle(TextBorderStyle::Line);
  centred->setTextAlignment(platform::TextAlignment::Center);
  centred->setTextColor(Color::rgb255(200, 30, 40));
  centred->setText("居中的文字 Centred");
  w->addSubview(centred);
  auto editing = TextField::create({10, 254, 300, 32});
  editing->setBorderStyle(TextBorderStyle::RoundedRect);
  editing->setClearButtonMode(TextFieldViewMode::WhileEditing);
  editing->setText("正在输入 typing");
  w->addSubview(editing);
  auto notes = platform::TextView::create({10, 290, 300, 58});
  notes->setFont(Font::systemFont(13));
  notes->setText("多行文字在文本视图里按宽度换行。Text views wrap their lines within the width and scroll.");
  notes->setEditable(false);
  notes->layer().borderWidth = 1;
  notes->layer().borderColor = Color::rgb255(204, 204, 204);
  w->addSubview(notes);

  ASSERT_TRUE(editing->becomeFirstResponder());
  runFor(0.5);
  EXPECT_TRUE(matchesGolden(renderScreen(), "text-fields-and-controls"));
}

}  // namespace
}  // namespace platform::render::testing
