#include <gtest/gtest.h>

#include "platform/foundation/ValueCopy.h"

using namespace platform;

TEST(ValueCopyTest, NullsLeaveDictionariesAndArraysAtEveryDepthInOrder) {
  const Value answer = {{"id", 7}, {"gone", nullptr}, {"list", Value::array({1, nullptr, Value{{"x", nullptr}, {"y", "2"}}})},
                        {"empty", Value::object()}};
  EXPECT_TRUE(holdsNull(answer));
  const Value copy = withoutNulls(answer);
  EXPECT_EQ(copy, (Value{{"id", 7}, {"list", Value::array({1, Value{{"y", "2"}}})}, {"empty", Value::object()}}));
  EXPECT_EQ(copy.begin().key(), "id");
  EXPECT_FALSE(holdsNull(copy));
  EXPECT_EQ(withoutNulls(Value("text")), Value("text"));
  EXPECT_TRUE(withoutNulls(Value()).is_null());
}

TEST(ValueCopyTest, ValuesNestedFarDeeperThanAnyAnswerAreWalkedWithoutRecursion) {
  constexpr int kDepth = 200000;
  Value deep = nullptr;
  for (int i = 0; i < kDepth; ++i) {
    Value outer = (i % 2) ? Value::array() : Value::object();
    if (outer.is_array()) outer.push_back(std::move(deep));
    else outer["a"] = std::move(deep);
    deep = std::move(outer);
  }
  EXPECT_TRUE(holdsNull(deep));
  const Value copy = withoutNulls(deep);
  EXPECT_FALSE(holdsNull(copy));
  // Down the copy: the same containers, the innermost null gone.
  const Value* v = &copy;
  int depth = 0;
  while (!v->empty()) {
    v = &v->front();
    ++depth;
  }
  EXPECT_EQ(depth, kDepth - 1);
}
