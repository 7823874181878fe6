#include "platform/net/HttpHeaders.h"

#include <algorithm>

namespace platform::net {

bool HttpHeaders::sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

void HttpHeaders::set(std::string_view name, std::string_view value) {
  auto first = std::find_if(fields_.begin(), fields_.end(),
                            [&](const Field& f) { return sameName(f.first, name); });
  if (first == fields_.end()) {
    fields_.emplace_back(std::string(name), std::string(value));
    return;
  }
  first->second = std::string(value);
  fields_.erase(std::remove_if(first + 1, fields_.end(),
                               [&](const Field& f) { return sameName(f.first, name); }),
                fields_.end());
}

void HttpHeaders::add(std::string_view name, std::string_view value) {
  fields_.emplace_back(std::string(name), std::string(value));
}

void HttpHeaders::remove(std::string_view name) {
  fields_.erase(std::remove_if(fields_.begin(), fields_.end(),
                               [&](const Field& f) { return sameName(f.first, name); }),
                fields_.end());
}

bool HttpHeaders::has(std::string_view name) const {
  return std::any_of(fields_.begin(), fields_.end(),
                     [&](const Field& f) { return sameName(f.first, name); });
}

std::string HttpHeaders::get(std::string_view name) const {
  for (const auto& f : fields_) {
    if (sameName(f.first, name)) return f.second;
  }
  return {};
}

std::vector<std::string> HttpHeaders::getAll(std::string_view name) const {
  std::vector<std::string> out;
  for (const auto& f : fields_) {
    if (sameName(f.first, name)) out.push_back(f.second);
  }
  return out;
}

}  // namespace platform::net
