#pragma once
// The readers of outside bytes, each as one libFuzzer target body: JSON answers,
// property lists (stored files), addresses, HTML pages, and the addresses other
// applications hand in. A body returns 0 and aborts (through the sanitizers, or
// a failed check) when a reader misbehaves; the same bodies run the saved corpus
// under fuzz/corpus as ordinary tests, so a fixed crash stays fixed without clang.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorn::fuzz {

int fuzzJson(const std::uint8_t* data, std::size_t size);
int fuzzPlist(const std::uint8_t* data, std::size_t size);
int fuzzUrl(const std::uint8_t* data, std::size_t size);
int fuzzHtml(const std::uint8_t* data, std::size_t size);
int fuzzIncomingAddress(const std::uint8_t* data, std::size_t size);

// Stops the process with a message when a reader breaks its own promise (a
// finding for libFuzzer, a crash for the corpus test).
void require(bool holds, std::string_view what);

}  // namespace vorn::fuzz

// Each target's source defines the libFuzzer entry when built as a fuzzer.
#ifdef VORN_LIBFUZZER_ENTRY
#define VORN_FUZZ_ENTRY(body)                                                        \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    return body(data, size);                                                         \
  }
#else
#define VORN_FUZZ_ENTRY(body)
#endif
