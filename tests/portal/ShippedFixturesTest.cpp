// The fixtures shipped in portal/fixtures answer the client's start-up
// requests and news lists with well-formed content, and every picture they
// point at loads.
#include <httplib.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Value.h"
#include "portal/PictureGenerator.h"
#include "support/VornTest.h"

namespace vorn::test {
namespace {

using platform::Value;

class ShippedFixturesTest : public VornTest {
 protected:
  httplib::Result get(const std::string& target) {
    httplib::Client c("127.0.0.1", portal().port());
    c.set_url_encode(false);
    return c.Get(target.c_str());
  }

  Value getJson(const std::string& target) {
    auto res = get(target);
    if (!res || res->status != 200) {
      ADD_FAILURE() << target << " did not answer 200";
      return Value();
    }
    EXPECT_EQ(res->get_header_value("Content-Type"), "application/json; charset=utf-8") << target;
    auto parsed = platform::parseJson(res->body);
    EXPECT_TRUE(parsed) << target << " is not JSON";
    return parsed.value_or(Value());
  }
};

TEST_F(ShippedFixturesTest, EveryRouteNamesAFileThatIsThereAndJsonFilesParse) {
  std::ifstream in(portal().fixturesDir() + "/routes.json");
  std::stringstream text;
  text << in.rdbuf();
  auto table = platform::parseJson(text.str());
  ASSERT_TRUE(table && platform::isArray(*table));
  ASSERT_GT(platform::countOf(*table), 0u);
  for (const auto& route : *table) {
    std::string file = platform::plainTextOf(route, "file");
    if (file.empty()) {
      EXPECT_TRUE(platform::hasKey(route, "body")) << platform::toJson(route);
      continue;
    }
    std::string bytes = portal().fixture(file);
    EXPECT_FALSE(bytes.empty()) << file;
    if (file.size() > 5 && file.compare(file.size() - 5, 5, ".json") == 0) {
      EXPECT_TRUE(platform::parseJson(bytes)) << file;
    }
  }
}

TEST_F(ShippedFixturesTest, StartUpRequestsGetAnswersOfTheirShape) {
  Value newsAdvert = getJson("/interface/vorn/NewsAdvert_pic.php?type=1");
  EXPECT_EQ(platform::textOf(newsAdvert, "status"), "1");
  for (const char* key : {"imgUrl", "AdTitle", "AdImgUrl", "AdLinkUrl"}) {
    EXPECT_TRUE(platform::isText(platform::valueFor(newsAdvert, key))) << key;
  }
  EXPECT_GT(platform::intValueOf(newsAdvert, "time"), 0);  // a number: the client stores its text form

  Value stamp = getJson("/auto/index.php?r=service/IphoneApi/APPCacheTime&operation=2");
  EXPECT_GT(platform::intValueOf(stamp, "time"), 0);

  Value checksum = getJson("/interface/vorn/GetForumListMd5.php");
  EXPECT_TRUE(std::regex_match(platform::plainTextOf(checksum, "md5"), std::regex("[0-9a-f]{32}")));

  Value forums = getJson("/interface/vorn/GetForumList.php");
  const Value& list = platform::valueFor(forums, "forumlist");
  ASSERT_TRUE(platform::isArray(list));
  EXPECT_GE(platform::countOf(list), 10u);
  std::set<std::string> fids;
  for (const auto& board : list) {
    EXPECT_FALSE(platform::plainTextOf(board, "fname").empty());
    EXPECT_TRUE(fids.insert(platform::plainTextOf(board, "fid")).second) << "fid repeated";
  }

  Value launch = getJson("/interface/vorn/GetLaunchPic_vorn.php?type=1");
  EXPECT_EQ(platform::textOf(launch, "status"), "1");
  EXPECT_EQ(platform::textOf(launch, "type"), "1");
  EXPECT_FALSE(platform::plainTextOf(launch, "id").empty());

  Value unregister = getJson("/bbs/iphone5/user_del.php?dev_num=abc");
  EXPECT_EQ(platform::textOf(unregister, "status"), "1");
}

TEST_F(ShippedFixturesTest, AdvertsOfOtherTypesAreNotCurrent) {
  EXPECT_EQ(platform::textOf(getJson("/interface/vorn/GetLaunchPic_vorn.php?type=2"), "status"), "0");
  EXPECT_EQ(platform::textOf(getJson("/interface/vorn/NewsAdvert_pic.php"), "status"), "0");
}

TEST_F(ShippedFixturesTest, LatestVersionIsTheAppsOwnSoNoUpdateIsOffered) {
  Value version = getJson("/version/ios_vorn.php");
  std::string app = platform::plainTextOf(platform::valueFor(version, "ver"), "app");
  EXPECT_FALSE(app.empty());
  EXPECT_EQ(app, platform::Bundle::mainBundle().bundleVersion());
}

TEST_F(ShippedFixturesTest, NewsListsAnswerByChannelAndPage) {
  struct Case {
    const char* query;
    std::size_t minimum;
    std::size_t maximum;
    const char* newsLast;
  };
  const Case cases[] = {
      {"type=0&limit=10&offset=0&ver=5.1.0", 10, 10, "0"},
      {"type=0&limit=10&offset=10&ver=5.1.0", 1, 9, "1"},
      {"type=1&limit=10&offset=0&ver=5.1.0", 1, 10, "1"},
      {"type=4&limit=10&offset=0&ver=5.1.0", 1, 10, "1"},
      {"type=3&limit=10&offset=0&ver=5.1.0", 1, 10, "1"},
      {"type=2&limit=10&offset=0&ver=5.1.0&cityId=475", 1, 10, "1"},
      {"type=2&limit=10&offset=0&ver=5.1.0", 0, 0, "1"},
      {"type=1&limit=10&offset=10&ver=5.1.0", 0, 0, "1"},
      {"type=9&limit=10&offset=0&ver=5.1.0", 0, 0, "1"},
  };
  for (const auto& tc : cases) {
    Value answer = getJson(std::string("/cms/interface/5.0/getNewsList.php?") + tc.query);
    const Value& news = platform::valueFor(answer, "news");
    ASSERT_TRUE(platform::isArray(news)) << tc.query;
    EXPECT_GE(platform::countOf(news), tc.minimum) << tc.query;
    EXPECT_LE(platform::countOf(news), tc.maximum) << tc.query;
    EXPECT_EQ(platform::textOf(answer, "newsLast"), tc.newsLast) << tc.query;
    for (const auto& item : news) {
      for (const char* key : {"newsLink", "newsTitle", "createDate", "comment"}) {
        EXPECT_TRUE(platform::isText(platform::valueFor(item, key))) << tc.query << " " << key;
      }
      EXPECT_TRUE(platform::hasKey(item, "newsId") || platform::hasKey(item, "newsType")) << tc.query;
    }
  }
}

TEST_F(ShippedFixturesTest, EveryPictureTheAnswersPointAtLoads) {
  const std::string picturePrefix = portal().baseUrl() + vorn::portal::kPicturePathPrefix;
  std::set<std::string> pictures;
  std::function<void(const Value&)> collect = [&](const Value& v) {
    if (platform::isText(v)) {
      std::string text = v.get<std::string>();
      EXPECT_EQ(text.find(vorn::portal::kPortalPlaceholder), std::string::npos) << text;
      if (text.rfind(picturePrefix, 0) == 0) pictures.insert(text.substr(portal().baseUrl().size()));
    } else if (platform::isArray(v) || platform::isDictionary(v)) {
      for (const auto& child : v) collect(child);
    }
  };
  for (const char* target :
       {"/interface/vorn/NewsAdvert_pic.php?type=1", "/interface/vorn/GetLaunchPic_vorn.php?type=1",
        "/cms/interface/5.0/getFocusImg.php?ver=5.1.0", "/cms/interface/5.0/getNewsList.php?type=0&offset=0",
        "/cms/interface/5.0/getNewsList.php?type=0&offset=10"}) {
    collect(getJson(target));
  }
  EXPECT_GE(pictures.size(), 20u);
  for (const auto& path : pictures) {
    auto res = get(path);
    ASSERT_TRUE(res) << path;
    EXPECT_EQ(res->status, 200) << path;
  }
}

}  // namespace
}  // namespace vorn::test
