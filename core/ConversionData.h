#pragma once
// Chinese text to the two romanised forms the searches use: the first letter of
// each character's reading, and the full pinyin without tones or separators.
// Both read constant tables compiled into the program; callable from any thread.
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

class ConversionData {
 public:
  // One output character per input character: a unified ideograph from U+4E00
  // to U+9FA5 gives its lower-case first letter; anything else is copied as it is.
  // "" for an empty input.
  static std::string to_Shouzimu(std::string_view text);

  // The upper-case syllables of the text's GB2312 characters, with ASCII letters
  // upper-cased and other ASCII kept; characters outside GB2312 contribute only
  // their GB 18030 bytes below 0x80. nullopt for an empty input.
  static std::optional<std::string> pinyinFromChiniseString(std::string_view text);
};

}  // namespace vorn
