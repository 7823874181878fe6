#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/ExpressionTable.h"

namespace vorn {
namespace {

const std::vector<Expression> kFaces = {
    {"Expression_1", "[强]", "[强]"}, {"Expression_2", "[开心]", ":)"}, {"Expression_3", "[开心果]", ":lol:"}};

TEST(FaceTextEditingTest, ShowTextsBecomeTheirCodesBeforeSending) {
  struct Case {
    const char* text;
    const char* sent;
  } cases[] = {
      {"", ""},
      {"今天[开心]", "今天:)"},
      {"[开心果][开心][强]", ":lol::)[强]"},  // the longer face is not cut by the shorter
      {"[开心", "[开心"},
      {"[[开心]]", "[:)]"},
      {"no faces", "no faces"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpressionTable::replaceShowTextsWithIds(c.text, kFaces), c.sent) << c.text;
}

TEST(FaceTextEditingTest, DeletingBackwardsTakesAWholeFaceAtOnce) {
  struct Case {
    const char* text;
    const char* after;
  } cases[] = {
      {"好[开心]", "好"},
      {"好[开心果]", "好"},
      {"好[不是脸]", "好[不是脸"},  // not a face: one character
      {"[强]]", "[强]"},
      {"好]", "好"},
      {"汽车", "汽"},
      {"a😀", "a"},  // a whole character, never half of one
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpressionTable::deleteBackward(c.text, kFaces), c.after) << c.text;
}

}  // namespace
}  // namespace vorn
