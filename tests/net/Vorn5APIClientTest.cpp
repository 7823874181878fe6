#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "net/PortalTest.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Plist.h"

namespace vorn {
namespace {

using test::PortalTest;
using vorn::portal::RouteOverride;

constexpr char kListPath[] = "/cms/list.php";

platform::Value params(std::initializer_list<std::pair<const char*, platform::Value>> pairs) {
  platform::Value dict = platform::dictionary();
  for (const auto& [name, value] : pairs) dict[name] = value;
  return dict;
}

// What one callback received.
struct Outcome {
  bool called = false;
  platform::Value answer;
  std::optional<ApiError> error;
  int type = -1;
  std::string text() const { return platform::bytesAsString(answer); }
};

class Vorn5APIClientTest : public PortalTest {
 protected:
  void SetUp() override {
    PortalTest::SetUp();
    portal().overrideRoute(kListPath, RouteOverride{200, R"({"list":[1,2]})"});
  }

  Outcome request(const std::string& path, const platform::Value& parameters, bool load, bool save, bool alert) {
    Outcome outcome;
    api().postPath(url(path), parameters, load, save, api(), alert,
                   [&outcome](const platform::Value& answer, const std::optional<ApiError>& error) {
                     outcome = {true, answer, error, -1};
                   });
    EXPECT_FALSE(outcome.called) << "the callback ran inside the call";
    EXPECT_TRUE(runUntil([&] { return outcome.called; }));
    return outcome;
  }

  void store(const std::string& path, const platform::Value& parameters, const std::string& bytes) {
    ASSERT_TRUE(caches().saveCache(platform::dataValue(bytes),
                                   Vorn5APIClient::cacheKey(url(path), parameters, false)));
  }
};

TEST(Vorn5APIClientKeys, WorkedExampleInBothForms) {
  const platform::Value p = params({{"offset", "20"}, {"ver", "5.1.0"}});
  EXPECT_EQ(Vorn5APIClient::cacheKey("http://host/cms/list.php", p, false),
            "datahttp:hostcmslistphpoffsetdata20verdata510");
  EXPECT_EQ(Vorn5APIClient::cacheKey("http://host/cms/list.php", p, true),
            "datahttp:hostcmslistphpoffset20ver5.1.0");
}

TEST(Vorn5APIClientKeys, KeyFormsAndWhatSharesAKey) {
  EXPECT_EQ(Vorn5APIClient::convertDataPathToSavePath(std::string_view("a//b.c/d=e+f:g?h&i%j")), "dataabcdef:g?h&i%j");
  EXPECT_EQ(Vorn5APIClient::convertDataPathToSavePath(platform::Value(12)), "data12");
  // Without parameters the key is the address's key form alone.
  EXPECT_EQ(Vorn5APIClient::cacheKey("http://h/x.php", platform::Value(), false), "datahttp:hxphp");
  EXPECT_EQ(Vorn5APIClient::cacheKey("http://h/x.php", platform::Value(), true), "datahttp:hxphp");

  const auto key = [](const char* value, bool typed) {
    return Vorn5APIClient::cacheKey("http://h/x.php", params({{"v", value}}), typed);
  };
  EXPECT_EQ(key("5.1", false), key("51", false));
  EXPECT_EQ(key("5/1", false), key("5=1+", false));
  EXPECT_NE(key("5.1", true), key("51", true));
  // The order the caller built the dictionary in does not matter.
  EXPECT_EQ(Vorn5APIClient::cacheKey("http://h", params({{"a", "1"}, {"b", "2"}}), false),
            Vorn5APIClient::cacheKey("http://h", params({{"b", "2"}, {"a", "1"}}), false));
  // Numbers enter by their decimal text.
  EXPECT_EQ(key("20", true), Vorn5APIClient::cacheKey("http://h/x.php", params({{"v", 20}}), true));
}

TEST_F(Vorn5APIClientTest, StoredAnswerArrivesAfterTheCallReturnsWithTheMarkerAndNothingIsSent) {
  const platform::Value p = params({{"offset", "0"}});
  store(kListPath, p, "stored bytes");
  const Outcome outcome = request(kListPath, p, true, true, true);
  EXPECT_EQ(outcome.text(), "stored bytes");
  ASSERT_TRUE(outcome.error);
  EXPECT_EQ(outcome.error->domain, "LoadCacheDomain");
  EXPECT_EQ(outcome.error->code, 2014);
  EXPECT_TRUE(Vorn5APIClient::isCacheMarker(outcome.error));
  EXPECT_TRUE(portal().requestsTo(kListPath).empty());
}

TEST_F(Vorn5APIClientTest, FreshAnswerIsStoredOnlyWhenAskedAndThenServedFromTheStore) {
  const platform::Value p = params({{"offset", "0"}});
  Outcome first = request(kListPath, p, true, false, false);
  EXPECT_EQ(first.text(), R"({"list":[1,2]})");
  EXPECT_FALSE(first.error);
  EXPECT_TRUE(platform::listDirectory(caches().cacheDir()).empty());  // saveCache NO never writes

  Outcome saved = request(kListPath, p, false, true, false);
  EXPECT_FALSE(saved.error);
  Outcome served = request(kListPath, p, true, false, false);
  EXPECT_EQ(served.text(), R"({"list":[1,2]})");
  EXPECT_TRUE(Vorn5APIClient::isCacheMarker(served.error));
  EXPECT_EQ(portal().requestsTo(kListPath).size(), 2u);
}

TEST_F(Vorn5APIClientTest, FailedRequestHandsOverTheStoredAnswerWithoutErrorAndShowsOneNotice) {
  const platform::Value p = params({{"offset", "20"}});
  store(kListPath, p, "earlier answer");
  portal().overrideRoute(kListPath, RouteOverride{500, "down"});
  const Outcome outcome = request(kListPath, p, false, true, true);
  EXPECT_EQ(outcome.text(), "earlier answer");
  EXPECT_FALSE(outcome.error);
  EXPECT_EQ(notices_, std::vector<std::string>{"网络不稳定，请稍后再试"});
  // The failure stored nothing over the earlier answer.
  const std::string earlier = "earlier answer";
  EXPECT_EQ(caches().loadCacheWithKey(Vorn5APIClient::cacheKey(url(kListPath), p, false)),
            platform::Bytes(earlier.begin(), earlier.end()));
}

TEST_F(Vorn5APIClientTest, FailedRequestWithNothingStoredGivesTheError) {
  portal().overrideRoute(kListPath, RouteOverride{404, "missing"});
  const Outcome silent = request(kListPath, params({{"offset", "0"}}), false, false, false);
  EXPECT_TRUE(silent.answer.is_null());
  ASSERT_TRUE(silent.error);
  EXPECT_EQ(silent.error->status, 404);
  EXPECT_TRUE(notices_.empty());

  // With the store asked first and nothing in it, the failure is handed over too.
  const Outcome loaded = request(kListPath, params({{"offset", "0"}}), true, true, false);
  EXPECT_TRUE(loaded.answer.is_null());
  ASSERT_TRUE(loaded.error);
  EXPECT_FALSE(Vorn5APIClient::isCacheMarker(loaded.error));
}

TEST_F(Vorn5APIClientTest, AFailedRequestOnTheStoreRoadDoesNotFallBackToTheStore) {
  // loadChache YES and nothing stored under this key, a stored answer under another.
  store(kListPath, params({{"offset", "20"}}), "other page");
  portal().overrideRoute(kListPath, RouteOverride{500, ""});
  const Outcome outcome = request(kListPath, params({{"offset", "0"}}), true, false, false);
  EXPECT_TRUE(outcome.answer.is_null());
  EXPECT_TRUE(outcome.error);
}

TEST_F(Vorn5APIClientTest, NoticeBoxShowsOneNoticeAtATime) {
  portal().overrideRoute(kListPath, RouteOverride{500, ""});
  int answered = 0;
  for (int i = 0; i < 2; ++i)
    api().postPath(url(kListPath), platform::Value(), false, false, api(), true,
                   [&](const platform::Value&, const std::optional<ApiError>&) { ++answered; });
  ASSERT_TRUE(runUntil([&] { return answered == 2; }));
  EXPECT_EQ(notices_.size(), 1u);
  runFor(1.6);  // the notice has hidden itself
  EXPECT_FALSE(delegate().HUD());
  request(kListPath, platform::Value(), false, false, true);
  EXPECT_EQ(notices_.size(), 2u);
}

TEST_F(Vorn5APIClientTest, TypedRequestsHandTheTagBackAndShareTheStoredAnswerAcrossTags) {
  const platform::Value p = params({{"type", "1"}, {"path", "a/../../b"}});
  Outcome outcome;
  const auto send = [&](int tag, bool load) {
    outcome = {};
    api().postPath(url(kListPath), p, load, true, api(), tag, false,
                   [&](const platform::Value& answer, int type, const std::optional<ApiError>& error) {
                     outcome = {true, answer, error, type};
                   });
    EXPECT_TRUE(runUntil([&] { return outcome.called; }));
  };
  send(7, false);
  EXPECT_EQ(outcome.type, 7);
  EXPECT_FALSE(outcome.error);
  // The key holds "/" and "/../": the answer is still stored inside the answer folder.
  EXPECT_EQ(platform::listDirectory(caches().cacheDir()).size(), 1u);
  send(9, true);
  EXPECT_EQ(outcome.type, 9);
  EXPECT_TRUE(Vorn5APIClient::isCacheMarker(outcome.error));
  EXPECT_EQ(outcome.text(), R"({"list":[1,2]})");
  EXPECT_EQ(portal().requestsTo(kListPath).size(), 1u);
}

TEST_F(Vorn5APIClientTest, JsonAddressesAnswerWithTheParsedValue) {
  RouteOverride json{200, R"({"name":"沃恩","n":3})"};
  portal().overrideRoute("/profile.json", json);
  Outcome fresh = request("/profile.json", platform::Value(), false, true, false);
  ASSERT_TRUE(platform::isDictionary(fresh.answer));
  EXPECT_EQ(platform::textOf(fresh.answer, "name"), "沃恩");
  // Stored as a property list, served again as the parsed value.
  Outcome served = request("/profile.json", platform::Value(), true, false, false);
  EXPECT_TRUE(Vorn5APIClient::isCacheMarker(served.error));
  EXPECT_EQ(served.answer, fresh.answer);

  json.contentType = "text/html";
  portal().overrideRoute("/other.json", json);
  Outcome wrongType = request("/other.json", platform::Value(), false, false, false);
  EXPECT_TRUE(wrongType.answer.is_null());
  EXPECT_TRUE(wrongType.error);
}

TEST_F(Vorn5APIClientTest, StampAndChecksumChecks) {
  EXPECT_EQ(Vorn5APIClient::switchTimeStampTypeToParams(0), "PageAll");
  EXPECT_EQ(Vorn5APIClient::switchTimeStampTypeToParams(1), "forumList");
  EXPECT_FALSE(Vorn5APIClient::switchTimeStampTypeToParams(2));

  EXPECT_TRUE(api().shouldUpdateTimeStampWithType(0, "100"));  // nothing stored
  caches().saveCache(params({{"time", 100}}), "PageAll");
  EXPECT_FALSE(api().shouldUpdateTimeStampWithType(0, "100"));
  EXPECT_TRUE(api().shouldUpdateTimeStampWithType(0, "101"));
  caches().saveCache(params({{"time", "100abc"}}), "PageAll");
  EXPECT_FALSE(api().shouldUpdateTimeStampWithType(0, "100"));
  caches().saveCache(params({{"other", 1}}), "PageAll");
  EXPECT_FALSE(api().shouldUpdateTimeStampWithType(0, "100"));
  caches().saveCache(platform::dataValue(std::string("not a property list")), "PageAll");
  EXPECT_FALSE(api().shouldUpdateTimeStampWithType(0, "100"));

  EXPECT_TRUE(api().shouldUpdateForumListTimeStampWithType(1, "abc"));
  caches().savePermCache(params({{"md5", "abc"}}), "forumList");
  EXPECT_FALSE(api().shouldUpdateForumListTimeStampWithType(1, "abc"));
  EXPECT_TRUE(api().shouldUpdateForumListTimeStampWithType(1, "abd"));
  caches().savePermCache(params({{"status", "1"}}), "forumList");
  EXPECT_FALSE(api().shouldUpdateForumListTimeStampWithType(1, "abd"));
}

}  // namespace
}  // namespace vorn
