#include "app/Script.h"

#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>

namespace vorn::shell {

std::string Target::describe() const {
  switch (kind) {
    case Kind::Text: return "\"" + text + "\"";
    case Kind::Tag: return "#" + std::to_string(tag);
    case Kind::Class: return "." + text;
    case Kind::Point: return "@" + std::to_string(x) + "," + std::to_string(y);
  }
  return {};
}

namespace {

// Reads the arguments of one line left to right.
class LineReader {
 public:
  LineReader(const std::string& text, int line) : s_(text), line_(line) {}

  void skipSpace() {
    while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
  }
  // Whether only a comment or nothing remains.
  bool atEnd() {
    skipSpace();
    return pos_ >= s_.size() || (s_[pos_] == '#' && !startsTag());
  }
  bool startsTag() const {
    return pos_ + 1 < s_.size() && s_[pos_] == '#' &&
           (std::isdigit(static_cast<unsigned char>(s_[pos_ + 1])) || s_[pos_ + 1] == '-');
  }
  char peek() {
    skipSpace();
    return pos_ < s_.size() ? s_[pos_] : '\0';
  }

  std::optional<std::string> word() {
    if (atEnd()) return std::nullopt;
    std::size_t start = pos_;
    while (pos_ < s_.size() && !std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    return s_.substr(start, pos_ - start);
  }

  std::optional<std::string> quoted() {
    if (peek() != '"') return std::nullopt;
    ++pos_;
    std::string out;
    while (pos_ < s_.size()) {
      char c = s_[pos_++];
      if (c == '"') return out;
      if (c == '\\' && pos_ < s_.size()) {
        char e = s_[pos_++];
        if (e == '"' || e == '\\') out += e;
        else if (e == 'n') out += '\n';
        else { out += '\\'; out += e; }
        continue;
      }
      out += c;
    }
    error_ = "unterminated string";
    return std::nullopt;
  }

  // A user-defaults key: a plain word (no quote or backslash in it), or a
  // quoted string whose quotes are not part of it.
  std::optional<std::string> key() {
    if (peek() == '"') return quoted();
    auto w = word();
    if (!w) return std::nullopt;
    if (w->find_first_of("\"\\") != std::string::npos) {
      error_ = "a key is a plain word or a quoted string";
      return std::nullopt;
    }
    return w;
  }

  std::optional<double> number() {
    if (atEnd()) return std::nullopt;
    std::size_t save = pos_;
    auto w = word();
    if (!w) return std::nullopt;
    char* end = nullptr;
    double d = std::strtod(w->c_str(), &end);
    if (end == w->c_str() || *end != '\0') {
      pos_ = save;
      return std::nullopt;
    }
    return d;
  }

  std::optional<platform::Value> jsonToEnd() {
    skipSpace();
    if (pos_ >= s_.size()) return std::nullopt;
    std::string rest = s_.substr(pos_);
    pos_ = s_.size();
    std::string why;
    auto v = platform::parseJson(std::string_view(rest), &why);
    if (!v) error_ = "bad JSON: " + rest;
    return v;
  }

  std::optional<Target> target() {
    char c = peek();
    Target t;
    if (c == '"') {
      auto q = quoted();
      if (!q) return std::nullopt;
      t.kind = Target::Kind::Text;
      t.text = *q;
      return t;
    }
    auto w = word();
    if (!w || w->size() < 2) return std::nullopt;
    char* end = nullptr;
    switch ((*w)[0]) {
      case '#':
        t.kind = Target::Kind::Tag;
        t.tag = std::strtol(w->c_str() + 1, &end, 10);
        if (*end != '\0') return std::nullopt;
        return t;
      case '.':
        t.kind = Target::Kind::Class;
        t.text = w->substr(1);
        return t;
      case '@': {
        t.kind = Target::Kind::Point;
        t.x = std::strtod(w->c_str() + 1, &end);
        if (*end != ',') return std::nullopt;
        const char* ys = end + 1;
        t.y = std::strtod(ys, &end);
        if (end == ys || *end != '\0') return std::nullopt;
        return t;
      }
      default: return std::nullopt;
    }
  }

  const std::string& error() const { return error_; }
  int line() const { return line_; }

 private:
  const std::string& s_;
  std::size_t pos_ = 0;
  int line_;
  std::string error_;
};

using Parser = std::function<bool(LineReader&, Command&)>;

bool oneOf(const std::optional<std::string>& w, std::initializer_list<const char*> allowed) {
  if (!w) return false;
  for (const char* a : allowed)
    if (*w == a) return true;
  return false;
}

bool noArguments(LineReader&, Command&) { return true; }

bool targetOnly(LineReader& r, Command& c) {
  c.target = r.target();
  return c.target.has_value();
}

bool quotedText(LineReader& r, Command& c) {
  auto q = r.quoted();
  if (!q) return false;
  c.texts.push_back(*q);
  return true;
}

bool optionalQuoted(LineReader& r, Command& c) {
  if (r.atEnd()) return true;
  return quotedText(r, c);
}

bool defaultsKey(LineReader& r, Command& c) {
  auto k = r.key();
  if (!k) return false;
  c.texts.push_back(*k);
  return true;
}

bool bareWord(LineReader& r, Command& c) {
  auto w = r.word();
  if (!w) return false;
  c.texts.push_back(*w);
  return true;
}

const std::map<std::string, Parser>& parsers() {
  static const std::map<std::string, Parser> table = {
      {"launch", [](LineReader& r, Command& c) {
         if (r.atEnd()) return true;
         c.json = r.jsonToEnd();
         return c.json.has_value();
       }},
      {"wait", [](LineReader& r, Command& c) {
         auto n = r.number();
         if (!n || *n < 0) return false;
         c.numbers.push_back(*n);
         return true;
       }},
      {"settle", noArguments},
      {"tap", targetOnly},
      {"doubletap", targetOnly},
      {"longpress", [](LineReader& r, Command& c) {
         if (!targetOnly(r, c)) return false;
         if (r.atEnd()) return true;
         auto n = r.number();
         if (!n) return false;
         c.numbers.push_back(*n);
         return true;
       }},
      {"drag", [](LineReader& r, Command& c) {
         if (!targetOnly(r, c)) return false;
         for (int i = 0; i < 2; ++i) {
           auto n = r.number();
           if (!n) return false;
           c.numbers.push_back(*n);
         }
         if (r.atEnd()) return true;
         auto n = r.number();
         if (!n) return false;
         c.numbers.push_back(*n);
         return true;
       }},
      {"swipe-back", noArguments},
      {"type", quotedText},
      {"return", noArguments},
      {"backspace", [](LineReader& r, Command& c) {
         if (r.atEnd()) return true;
         auto n = r.number();
         if (!n || *n < 0) return false;
         c.numbers.push_back(*n);
         return true;
       }},
      {"open-url", [](LineReader& r, Command& c) { return quotedText(r, c) && optionalQuoted(r, c); }},
      {"push", [](LineReader& r, Command& c) {
         c.json = r.jsonToEnd();
         return c.json.has_value();
       }},
      {"state", [](LineReader& r, Command& c) {
         auto w = r.word();
         if (!oneOf(w, {"active", "inactive", "background"})) return false;
         c.texts.push_back(*w);
         return true;
       }},
      {"location", [](LineReader& r, Command& c) {
         if (r.peek() == 'd' || r.peek() == 'o') {
           auto w = r.word();
           if (!oneOf(w, {"denied", "off"})) return false;
           c.texts.push_back(*w);
           return true;
         }
         auto lat = r.number();
         auto lng = r.number();
         if (!lat || !lng) return false;
         c.numbers = {*lat, *lng};
         return true;
       }},
      {"tap-link", quotedText},
      {"photo-add", [](LineReader& r, Command& c) { return quotedText(r, c) && optionalQuoted(r, c); }},
      {"photo-access", [](LineReader& r, Command& c) {
         auto w = r.word();
         if (!oneOf(w, {"allowed", "denied"})) return false;
         c.texts.push_back(*w);
         return true;
       }},
      {"camera-access", [](LineReader& r, Command& c) {
         auto w = r.word();
         if (!oneOf(w, {"0", "1", "2", "3"})) return false;
         c.numbers.push_back(std::atoi(w->c_str()));
         return true;
       }},
      {"camera", [](LineReader& r, Command& c) {
         if (r.peek() == '"') return quotedText(r, c);
         auto w = r.word();
         if (!oneOf(w, {"cancel", "none"})) return false;
         c.texts.push_back(*w);
         return true;
       }},
      {"pick", [](LineReader& r, Command& c) {
         auto w = r.word();
         if (!w) return false;
         if (*w == "cancel") {
           c.texts.push_back(*w);
           return true;
         }
         std::size_t start = 0;
         while (start <= w->size()) {
           std::size_t comma = w->find(',', start);
           std::string part = w->substr(start, comma == std::string::npos ? std::string::npos : comma - start);
           char* end = nullptr;
           long n = std::strtol(part.c_str(), &end, 10);
           if (part.empty() || *end != '\0' || n < 0) return false;
           c.numbers.push_back(static_cast<double>(n));
           if (comma == std::string::npos) break;
           start = comma + 1;
         }
         return true;
       }},
      {"speech", [](LineReader& r, Command& c) {
         if (r.peek() == '"') return quotedText(r, c);
         auto w = r.word();
         if (!oneOf(w, {"error"})) return false;
         c.texts.push_back(*w);
         auto code = r.number();
         if (!code) return false;
         c.numbers.push_back(*code);
         return true;
       }},
      {"weibo-auth", [](LineReader& r, Command& c) {
         auto token = r.word();
         if (!token) return false;
         c.texts.push_back(*token);
         if (*token == "cancel") return true;
         return bareWord(r, c);
       }},
      {"network", [](LineReader& r, Command& c) {
         auto w = r.word();
         if (!oneOf(w, {"wifi", "mobile", "none"})) return false;
         c.texts.push_back(*w);
         return true;
       }},
      {"defaults-set", [](LineReader& r, Command& c) {
         if (!defaultsKey(r, c)) return false;
         c.json = r.jsonToEnd();
         return c.json.has_value();
       }},
      {"defaults", defaultsKey},
      {"dump", [](LineReader& r, Command& c) {
         if (r.atEnd()) return true;
         return targetOnly(r, c);
       }},
      {"screenshot", [](LineReader& r, Command& c) {
         if (r.peek() == '"') return quotedText(r, c);
         return bareWord(r, c);
       }},
      {"expect-text", quotedText},
      {"expect-no-text", quotedText},
      {"expect-screen", bareWord},
      {"expect-request", [](LineReader& r, Command& c) {
         if (r.peek() == '"') {
           if (!quotedText(r, c)) return false;
         } else if (!bareWord(r, c)) {
           return false;
         }
         if (r.atEnd()) return true;
         c.json = r.jsonToEnd();
         return c.json.has_value() && c.json->is_object();
       }},
  };
  return table;
}

}  // namespace

ParsedScript parseScript(const std::string& source) {
  ParsedScript out;
  int lineNo = 0;
  std::size_t start = 0;
  while (start <= source.size()) {
    std::size_t nl = source.find('\n', start);
    std::string line = source.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++lineNo;
    LineReader r(line, lineNo);
    if (!r.atEnd()) {
      Command c;
      c.line = lineNo;
      c.name = *r.word();
      auto p = parsers().find(c.name);
      if (p == parsers().end()) {
        out.error = ScriptError{lineNo, "unknown command: " + c.name};
        return out;
      }
      bool ok = p->second(r, c);
      if (ok && !r.atEnd()) ok = false;
      if (!ok) {
        std::string why = r.error().empty() ? "bad arguments for " + c.name : r.error();
        out.error = ScriptError{lineNo, why + ": " + line};
        return out;
      }
      out.commands.push_back(std::move(c));
    }
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  return out;
}

}  // namespace vorn::shell
