#include <gtest/gtest.h>

#include <string>

#include "fuzz/FuzzTargets.h"
#include "platform/foundation/Files.h"

namespace vorn::fuzz {
namespace {

using Target = int (*)(const std::uint8_t*, std::size_t);

struct Corpus {
  const char* folder;
  Target target;
};

// Every saved input (seeds and the inputs that once broke a reader) runs through
// its target under the sanitizers: a crash found by the fuzzer stays fixed.
class FuzzCorpusTest : public ::testing::TestWithParam<Corpus> {
 protected:
  static int run(Target target, std::string_view bytes) {
    return target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
};

TEST_P(FuzzCorpusTest, EverySavedInputRunsThroughItsReader) {
  const std::string folder = platform::sourceDirectory() + "/fuzz/corpus/" + GetParam().folder;
  const auto names = platform::listDirectory(folder);
  ASSERT_FALSE(names.empty()) << folder;
  for (const auto& name : names) {
    SCOPED_TRACE(name);
    const auto bytes = platform::readFile(platform::joinPath(folder, name));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(run(GetParam().target, std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())), 0);
  }
  EXPECT_EQ(run(GetParam().target, ""), 0);
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzCorpusTest,
                         ::testing::Values(Corpus{"json", fuzzJson}, Corpus{"plist", fuzzPlist}, Corpus{"url", fuzzUrl},
                                           Corpus{"html", fuzzHtml}, Corpus{"incoming", fuzzIncomingAddress}),
                         [](const auto& info) { return std::string(info.param.folder); });

// Too big to keep as files: answers nested 100,000 deep, as a hostile portal sends them.
TEST(FuzzCorpusDeepTest, AnswersNestedFarBeyondTheLimitAreRefusedWithoutCrashing) {
  for (const auto& [open, close] : {std::pair<std::string, char>{"{\"a\":", '}'}, {"[", ']'}}) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += open;
    text += "1" + std::string(100000, close);
    EXPECT_EQ(fuzzJson(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), 0);
  }
}

}  // namespace
}  // namespace vorn::fuzz
