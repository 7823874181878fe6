#include "ui/ExpressionTable.h"

#include <algorithm>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Plist.h"
#include "platform/foundation/Value.h"

namespace vorn {

std::vector<Expression> ExpressionTable::load() {
  std::vector<Expression> faces;
  const auto path = platform::Bundle::mainBundle().pathForResource(kExpressionTableName, "plist");
  if (!path) return faces;
  const auto table = platform::readPlistFile(*path);
  if (!table || !table->is_array()) return faces;
  for (std::size_t i = 0; i < platform::countOf(*table); ++i) {
    const platform::Value& entry = platform::valueAt(*table, i);
    faces.push_back(Expression{platform::plainTextOf(entry, kExpressionNameKey),
                               platform::plainTextOf(entry, kExpressionShowKey),
                               platform::plainTextOf(entry, kExpressionIdKey)});
  }
  return faces;
}

std::string ExpressionTable::replaceShowTextsWithIds(const std::string& text, const std::vector<Expression>& faces) {
  std::vector<const Expression*> order;
  for (const auto& face : faces)
    if (!face.show.empty()) order.push_back(&face);
  std::stable_sort(order.begin(), order.end(),
                   [](const Expression* a, const Expression* b) { return a->show.size() > b->show.size(); });
  // One pass from left to right, so that an inserted code is never read again.
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const Expression* hit = nullptr;
    for (const Expression* face : order)
      if (text.compare(at, face->show.size(), face->show) == 0) {
        hit = face;
        break;
      }
    if (hit) {
      out += hit->id;
      at += hit->show.size();
    } else {
      out += text[at++];
    }
  }
  return out;
}

std::string ExpressionTable::deleteBackward(const std::string& text, const std::vector<Expression>& faces) {
  if (text.empty()) return text;
  if (text.back() == ']') {
    const auto open = text.rfind('[');
    if (open != std::string::npos) {
      const std::string span = text.substr(open);
      for (const auto& face : faces)
        if (face.show == span) return text.substr(0, open);
    }
  }
  // The last character: step back over UTF-8 continuation bytes.
  std::size_t end = text.size() - 1;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace vorn
