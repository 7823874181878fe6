#pragma once
// The face table, the resource "expression.plist": the faces in display order,
// each with the name of its picture ("name"), the text a writer sees and that
// pickers insert ("show", always "[...]") and the code sent to the portal in its
// place ("id"). A face's index is its position. The table is read afresh each
// time it is asked for; it is never written.
//
// Also the text operations the composers share around it: putting the codes in
// place of the show texts before sending, and deleting backwards so that a
// whole face goes at once.
#include <cstddef>
#include <string>
#include <vector>

namespace vorn {

inline constexpr char kExpressionTableName[] = "expression";
inline constexpr char kExpressionTableFile[] = "expression.plist";
inline constexpr char kExpressionPicturesFile[] = "expressionImage.plist";
inline constexpr char kExpressionNameKey[] = "name";
inline constexpr char kExpressionShowKey[] = "show";
inline constexpr char kExpressionIdKey[] = "id";

struct Expression {
  std::string name;
  std::string show;
  std::string id;
};

class ExpressionTable {
 public:
  // The application's table; empty when the file is missing or unreadable.
  // Entries that are not dictionaries read as empty texts, so indexes stay.
  static std::vector<Expression> load();

  // Every show text replaced by its code, longest show texts first so that
  // no face is cut by a shorter one.
  static std::string replaceShowTextsWithIds(const std::string& text, const std::vector<Expression>& faces);

  // Deleting backwards at the end of a text: when it ends with "]" and the span
  // from its last "[" is a face's show text, that whole span; otherwise the
  // last character (a whole character, never half of one).
  static std::string deleteBackward(const std::string& text, const std::vector<Expression>& faces);
};

}  // namespace vorn
