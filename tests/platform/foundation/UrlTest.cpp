#include <gtest/gtest.h>

#include "platform/foundation/Url.h"

using namespace platform;

TEST(UrlTest, ParsesThePartsOfAnAddress) {
  auto url = parseUrl("http://user@bbs.example.cn:8080/bbs/iphone5/list.json?fid=12&page=2#top");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->scheme, "http");
  EXPECT_EQ(url->user, "user");
  EXPECT_EQ(url->host, "bbs.example.cn");
  EXPECT_EQ(url->port, 8080);
  EXPECT_EQ(url->path, "/bbs/iphone5/list.json");
  EXPECT_EQ(url->query, "fid=12&page=2");
  EXPECT_EQ(url->fragment, "top");
  EXPECT_EQ(url->pathExtension(), "json");
  EXPECT_EQ(url->lastPathComponent(), "list.json");
  EXPECT_EQ(url->hostAndPort(), "bbs.example.cn:8080");
  EXPECT_TRUE(url->isHttpOrHttps());
}

TEST(UrlTest, AbsoluteStringGivesBackTheParsedText) {
  for (const char* text : {"http://host", "http://host/", "https://h:1/a/b.jpg?x=%E5%8C%97&y=", "tel:010-12345678",
                           "http://127.0.0.1:9000/pic/320x160/7.jpg", "http://[::1]:80/a", "/relative/path?q",
                           "http://host/?", "mailto:a@b.cn", "HTTP://Host/Path#frag"}) {
    auto url = parseUrl(text);
    ASSERT_TRUE(url) << text;
    EXPECT_EQ(url->absoluteString(), text);
  }
  EXPECT_TRUE(parseUrl("HTTPS://x")->isHttpOrHttps());
  EXPECT_FALSE(parseUrl("javascript:alert(1)")->isHttpOrHttps());
  EXPECT_FALSE(parseUrl("tel:123")->isHttpOrHttps());
}

TEST(UrlTest, PathExtensionEdgeCases) {
  struct Case { const char* text; const char* ext; } cases[] = {
      {"http://h/a.JSON", "JSON"}, {"http://h/a.tar.gz", "gz"}, {"http://h/dir.d/file", ""},
      {"http://h/a.jpg/", "jpg"},   {"http://h/.hidden", ""},   {"http://h", ""},
      {"http://h/a.php?x=1.json", "php"}};
  for (auto& c : cases) EXPECT_EQ(parseUrl(c.text)->pathExtension(), c.ext) << c.text;
}

TEST(UrlTest, MalformedAddressesGiveNothing) {
  for (const char* bad : {"", "http://host/a b", "http://host/北京", "http://h/%zz", "http://h/%4",
                          "http://h:99999/", "http://h:8x/", "http://[::1/", "http://h/a#b#c",
                          "http://h/<script>", "http://h/\"q\"", "\t", "http://h/a|b",
                          // Parts that would not be given back as written.
                          "VORN://opvorn://open?a=1", "http://h:/", "http://h:080/", "http://@h/",
                          "http://[::1]:/"}) {
    EXPECT_FALSE(parseUrl(bad)) << bad;
  }
  // Long and odd input is handled, not crashed on.
  EXPECT_TRUE(parseUrl("http://h/" + std::string(100000, 'a')));
  EXPECT_FALSE(parseUrl(std::string(1000, '%')));
  EXPECT_FALSE(parseUrl(std::string("http://h/\0x", 10)));
}

TEST(UrlTest, ResolvesReferencesAgainstABase) {
  auto base = parseUrl("http://forum.example.cn/bbs/iphone5/list.php?x=1");
  ASSERT_TRUE(base);
  struct Case { const char* ref; const char* expected; } cases[] = {
      {"detail.php?id=2", "http://forum.example.cn/bbs/iphone5/detail.php?id=2"},
      {"/app/5/login.php", "http://forum.example.cn/app/5/login.php"},
      {"../../top", "http://forum.example.cn/top"},
      {"//other.cn/p", "http://other.cn/p"},
      {"https://x.cn/a/./b/../c", "https://x.cn/a/c"},
      {"?page=2", "http://forum.example.cn/bbs/iphone5/list.php?page=2"},
      {"", "http://forum.example.cn/bbs/iphone5/list.php?x=1"},
  };
  for (auto& c : cases) {
    auto out = resolveUrl(*base, c.ref);
    ASSERT_TRUE(out) << c.ref;
    EXPECT_EQ(out->absoluteString(), c.expected) << c.ref;
  }
  EXPECT_EQ(resolveUrl(*parseUrl("http://h"), "a.json")->absoluteString(), "http://h/a.json");
  EXPECT_FALSE(resolveUrl(*base, "a b"));
}

TEST(UrlTest, QueryStringOrdersNamesWithoutRegardToCase) {
  Value params = {{"ver", "5.1.0"}, {"type", 1}, {"cityName", "北京"}};
  EXPECT_EQ(buildQueryString(params), "cityName=%E5%8C%97%E4%BA%AC&type=1&ver=5.1.0");
  EXPECT_EQ(buildQueryString(Value{{"ver", "x"}, {"Type", "y"}}), "Type=y&ver=x");
  EXPECT_EQ(buildQueryString(Value{{"q", "a b&c=d+e"}, {"r", "[1]."}}), "q=a%20b%26c%3Dd%2Be&r=[1].");
  EXPECT_EQ(buildQueryString(Value{{"ids", Value::array({1, 2})}, {"n", nullptr}}), "ids[]=1&ids[]=2&n");
  EXPECT_EQ(buildQueryString(Value{{"p", Value{{"b", 2}, {"A", 1}}}}), "p[A]=1&p[b]=2");
  EXPECT_EQ(buildQueryString(Value::object()), "");
  EXPECT_EQ(buildQueryString(Value("not a dictionary")), "");
  EXPECT_EQ(appendQueryString("http://h/a.php", "x=1"), "http://h/a.php?x=1");
  EXPECT_EQ(appendQueryString("http://h/a.php?k=v", "x=1"), "http://h/a.php?k=v&x=1");
  EXPECT_EQ(appendQueryString("http://h/a.php", ""), "http://h/a.php?");
}

TEST(UrlTest, QueryStringParsesIntoADictionary) {
  struct Case { const char* query; Value expected; } cases[] = {
      {"a=1&b=%E5%8C%97", Value{{"a", "1"}, {"b", "北"}}},
      {"?x=1", Value{{"x", "1"}}},
      {"flag&x=", Value{{"flag", ""}, {"x", ""}}},
      {"a=1&a=2", Value{{"a", "2"}}},
      {"&&=v&k=a=b", Value{{"k", "a=b"}}},
      {"bad=%zz&ok=%20", Value{{"bad", "%zz"}, {"ok", " "}}},
      {"", Value::object()},
      {"plus=a+b", Value{{"plus", "a+b"}}},
  };
  for (auto& c : cases) EXPECT_EQ(parseQueryString(c.query), c.expected) << c.query;
}
