#include "platform/foundation/Regex.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>

namespace platform {

namespace {

// Roughly milliseconds of matching work before a runaway match gives up.
constexpr int32_t kTimeLimit = 2000;

icu::UnicodeString unicode(std::string_view text) {
  return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

std::string utf8(const icu::UnicodeString& s) {
  std::string out;
  s.toUTF8String(out);
  return out;
}

}  // namespace

struct Regex::Compiled {
  std::unique_ptr<icu::RegexPattern> pattern;

  std::unique_ptr<icu::RegexMatcher> matcher(const icu::UnicodeString& input) const {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> m(pattern->matcher(input, status));
    if (U_FAILURE(status)) return nullptr;
    m->setTimeLimit(kTimeLimit, status);
    return m;
  }
};

Regex::Regex(std::string pattern, std::shared_ptr<const Compiled> compiled)
    : pattern_(std::move(pattern)), compiled_(std::move(compiled)) {}

std::optional<Regex> Regex::make(std::string_view pattern, RegexOptions options, std::string* error) {
  uint32_t flags = 0;
  if (options.caseInsensitive) flags |= UREGEX_CASE_INSENSITIVE;
  if (options.dotMatchesLineSeparators) flags |= UREGEX_DOTALL;
  if (options.anchorsMatchLines) flags |= UREGEX_MULTILINE;
  UErrorCode status = U_ZERO_ERROR;
  UParseError parseError{};
  std::unique_ptr<icu::RegexPattern> compiled(
      icu::RegexPattern::compile(unicode(pattern), flags, parseError, status));
  if (U_FAILURE(status) || !compiled) {
    if (error) {
      *error = std::string(u_errorName(status)) + " at offset " + std::to_string(parseError.offset);
    }
    return std::nullopt;
  }
  auto holder = std::make_shared<Compiled>();
  holder->pattern = std::move(compiled);
  return Regex(std::string(pattern), std::move(holder));
}

bool Regex::matchesWhole(std::string_view text) const {
  icu::UnicodeString input = unicode(text);
  auto m = compiled_->matcher(input);
  if (!m) return false;
  UErrorCode status = U_ZERO_ERROR;
  bool matched = m->matches(status);
  return U_SUCCESS(status) && matched;
}

bool Regex::canMatchWithMoreText(std::string_view text) const {
  icu::UnicodeString input = unicode(text);
  auto m = compiled_->matcher(input);
  if (!m) return false;
  UErrorCode status = U_ZERO_ERROR;
  bool matched = m->matches(status);
  if (U_FAILURE(status)) return false;
  // A failed whole match that ran into the end of the input could still
  // succeed once more text follows.
  return matched || m->hitEnd();
}

bool Regex::matchesAnywhere(std::string_view text) const { return firstMatch(text).has_value(); }

namespace {

// The current match of `m` over `input`; nullopt when reading it fails.
std::optional<RegexMatch> readMatch(icu::RegexMatcher& m, const icu::UnicodeString& input) {
  UErrorCode status = U_ZERO_ERROR;
  RegexMatch match;
  int32_t start = m.start(status);
  int32_t end = m.end(status);
  if (U_FAILURE(status)) return std::nullopt;
  match.range = {static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)};
  match.text = utf8(input.tempSubStringBetween(start, end));
  for (int32_t g = 1; g <= m.groupCount(); ++g) {
    int32_t gs = m.start(g, status);
    int32_t ge = m.end(g, status);
    if (U_FAILURE(status) || gs < 0) {
      status = U_ZERO_ERROR;
      match.groupRanges.emplace_back(std::nullopt);
      match.groups.emplace_back(std::nullopt);
      continue;
    }
    match.groupRanges.emplace_back(
        RegexRange{static_cast<std::size_t>(gs), static_cast<std::size_t>(ge - gs)});
    match.groups.emplace_back(utf8(input.tempSubStringBetween(gs, ge)));
  }
  return match;
}

}  // namespace

std::optional<RegexMatch> Regex::firstMatch(std::string_view text) const {
  icu::UnicodeString input = unicode(text);
  auto m = compiled_->matcher(input);
  if (!m) return std::nullopt;
  UErrorCode status = U_ZERO_ERROR;
  if (!m->find(status) || U_FAILURE(status)) return std::nullopt;
  return readMatch(*m, input);
}

std::vector<RegexMatch> Regex::allMatches(std::string_view text) const {
  std::vector<RegexMatch> out;
  icu::UnicodeString input = unicode(text);
  auto m = compiled_->matcher(input);
  if (!m) return out;
  UErrorCode status = U_ZERO_ERROR;
  while (m->find(status) && U_SUCCESS(status)) {
    auto match = readMatch(*m, input);
    if (!match) return {};
    out.push_back(std::move(*match));
  }
  if (U_FAILURE(status)) out.clear();  // gave up: no partial answers
  return out;
}

std::size_t Regex::numberOfMatches(std::string_view text) const { return allMatches(text).size(); }

std::string Regex::replaceAll(std::string_view text, std::string_view replacement) const {
  icu::UnicodeString input = unicode(text);
  auto m = compiled_->matcher(input);
  if (!m) return std::string(text);
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString result = m->replaceAll(unicode(replacement), status);
  if (U_FAILURE(status)) return std::string(text);
  return utf8(result);
}

bool regexMatchesWhole(std::string_view pattern, std::string_view text) {
  auto regex = Regex::make(pattern);
  return regex && regex->matchesWhole(text);
}

}  // namespace platform
