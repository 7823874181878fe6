#pragma once
// Regular expressions in the platform's syntax (ICU), over code points: "[一-龥]"
// matches one CJK character, "." one emoji. Ranges are in UTF-16 units, as the
// platform reported them. An invalid pattern is an empty result, never an
// exception; a match that runs away (catastrophic backtracking) gives up and
// counts as no match.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct RegexRange {
  std::size_t location = 0;  // UTF-16 units
  std::size_t length = 0;
};

struct RegexMatch {
  RegexRange range;
  std::string text;
  // Capture groups 1..n; nullopt for a group that took no part in the match.
  std::vector<std::optional<RegexRange>> groupRanges;
  std::vector<std::optional<std::string>> groups;
};

struct RegexOptions {
  bool caseInsensitive = false;
  bool dotMatchesLineSeparators = false;
  bool anchorsMatchLines = false;
};

class Regex {
 public:
  // nullopt (and the reason in *error) for an invalid pattern.
  static std::optional<Regex> make(std::string_view pattern, RegexOptions options = {},
                                   std::string* error = nullptr);

  // The whole text matches (the platform's "MATCHES" predicate).
  bool matchesWhole(std::string_view text) const;
  // The whole text matches, or is the start of a text that would (more input
  // could still complete a match): "123" for "^\\d{11}$", not "12a".
  bool canMatchWithMoreText(std::string_view text) const;
  // Some part of the text matches.
  bool matchesAnywhere(std::string_view text) const;
  std::optional<RegexMatch> firstMatch(std::string_view text) const;
  std::vector<RegexMatch> allMatches(std::string_view text) const;
  std::size_t numberOfMatches(std::string_view text) const;
  // Every match replaced by the template ("$1" for a group, "\\$" for a dollar).
  // The text unchanged when the template is invalid or matching gives up.
  std::string replaceAll(std::string_view text, std::string_view replacement) const;

  const std::string& pattern() const { return pattern_; }

 private:
  struct Compiled;
  Regex(std::string pattern, std::shared_ptr<const Compiled> compiled);
  std::string pattern_;
  std::shared_ptr<const Compiled> compiled_;
};

// Whole-text match of a pattern; false for an invalid pattern.
bool regexMatchesWhole(std::string_view pattern, std::string_view text);

}  // namespace platform
