#include <gtest/gtest.h>

#include "app/Script.h"

using namespace vorn::shell;

TEST(ScriptTest, ReadsEveryArgumentShape) {
  auto s = parseScript(
      "# a tour\n"
      "launch {\"aps\": {\"alert\": \"新车\"}, \"type\": 1}\n"
      "wait 0.4   # let it settle\n"
      "tap \"资讯\"\n"
      "tap #401\n"
      "doubletap .PyxoPhotoBrowser\n"
      "drag @10,200.5 0 -120 0.5\n"
      "type \"他说\\\"好\\\" \\\\ #not a comment\"\n"
      "location 39.9 116.4\n"
      "location denied\n"
      "pick 0,2,5\n"
      "expect-request /cms/interface/5.0/list.php {\"type\": \"1\"}\n"
      "defaults-set ThemeMode \"ThemeModeBlack\"\n");
  ASSERT_FALSE(s.error) << s.error->message;
  ASSERT_EQ(s.commands.size(), 12u);
  EXPECT_EQ(s.commands[0].name, "launch");
  EXPECT_EQ(s.commands[0].line, 2);
  EXPECT_EQ(platform::intValueOf(*s.commands[0].json, "type"), 1);
  EXPECT_DOUBLE_EQ(s.commands[1].numbers.at(0), 0.4);
  EXPECT_EQ(s.commands[2].target->text, "资讯");
  EXPECT_EQ(s.commands[3].target->kind, Target::Kind::Tag);
  EXPECT_EQ(s.commands[3].target->tag, 401);
  EXPECT_EQ(s.commands[4].target->text, "PyxoPhotoBrowser");
  EXPECT_DOUBLE_EQ(s.commands[5].target->y, 200.5);
  EXPECT_EQ(s.commands[5].numbers, (std::vector<double>{0, -120, 0.5}));
  EXPECT_EQ(s.commands[6].texts.at(0), "他说\"好\" \\ #not a comment");
  EXPECT_EQ(s.commands[8].texts.at(0), "denied");
  EXPECT_EQ(s.commands[9].numbers, (std::vector<double>{0, 2, 5}));
  EXPECT_EQ(s.commands[10].texts.at(0), "/cms/interface/5.0/list.php");
  EXPECT_EQ(platform::textOf(*s.commands[10].json, "type"), "1");
  EXPECT_EQ(s.commands[11].json->get<std::string>(), "ThemeModeBlack");
}

TEST(ScriptTest, KeysAreBareWordsOrQuotedStrings) {
  struct Case {
    const char* line;
    const char* key;
  } cases[] = {
      {"defaults flag\n", "flag"},
      {"defaults \"flag\"\n", "flag"},
      {"defaults \"城市 选择\"\n", "城市 选择"},
      {"defaults vorn5.feature.3.0\n", "vorn5.feature.3.0"},
      {"defaults-set \"flag\" \"1\"\n", "flag"},
      {"defaults-set flag \"1\"\n", "flag"},
  };
  for (const auto& c : cases) {
    auto s = parseScript(c.line);
    ASSERT_FALSE(s.error) << c.line << s.error->message;
    ASSERT_EQ(s.commands.size(), 1u);
    EXPECT_EQ(s.commands[0].texts.at(0), c.key) << c.line;
    if (s.commands[0].name == "defaults-set") {
      EXPECT_EQ(s.commands[0].json->get<std::string>(), "1");
    }
  }
}

TEST(ScriptTest, BadLinesAreReportedWithTheirNumber) {
  struct Case { const char* script; int line; } cases[] = {
      {"launch\nfly away\n", 2},
      {"tap\n", 1},
      {"wait soon\n", 1},
      {"wait -1\n", 1},
      {"\n\ntype \"never closed\n", 3},
      {"state asleep\n", 1},
      {"push {not json\n", 1},
      {"drag #3 10\n", 1},
      {"tap @1;2\n", 1},
      {"pick 1,,2\n", 1},
      {"network wifi extra\n", 1},
      {"expect-request /x [1]\n", 1},
      {"defaults fl\"ag\n", 1},
      {"defaults\n", 1},
      {"wait 1\ndefaults-set \"flag 1\n", 2},
      {"defaults-set back\\slash 1\n", 1},
      {"defaults \"flag\" extra\n", 1},
  };
  for (const auto& c : cases) {
    auto s = parseScript(c.script);
    ASSERT_TRUE(s.error.has_value()) << c.script;
    EXPECT_EQ(s.error->line, c.line) << c.script;
  }
}
