#pragma once
// Header fields of a request or an answer: names compare without regard to
// case, the order of insertion is kept, and a name may repeat (Set-Cookie).
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::net {

class HttpHeaders {
 public:
  using Field = std::pair<std::string, std::string>;

  // Replaces every field of that name with one (appended when absent).
  void set(std::string_view name, std::string_view value);
  // Adds a field, keeping earlier ones of the same name.
  void add(std::string_view name, std::string_view value);
  void remove(std::string_view name);

  bool has(std::string_view name) const;
  // The first value of that name, "" when absent.
  std::string get(std::string_view name) const;
  // Every value of that name, in order.
  std::vector<std::string> getAll(std::string_view name) const;

  const std::vector<Field>& fields() const { return fields_; }
  bool empty() const { return fields_.empty(); }
  std::size_t size() const { return fields_.size(); }

  static bool sameName(std::string_view a, std::string_view b);

 private:
  std::vector<Field> fields_;
};

}  // namespace platform::net
