#include "platform/foundation/Plist.h"

#include <plist/plist.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "platform/foundation/Files.h"
#include "platform/foundation/Text.h"

namespace platform {

namespace {

constexpr int kMaxDepth = 512;
// Property-list dates count from 2001-01-01 00:00:00 UTC.
constexpr double kPlistEpochOffset = 978307200.0;

struct PlistFree {
  void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

std::optional<Value> toValue(plist_t node, int depth) {
  if (!node || depth > kMaxDepth) return std::nullopt;
  switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
      uint8_t b = 0;
      plist_get_bool_val(node, &b);
      return Value(b != 0);
    }
    case PLIST_UINT: {
      uint64_t u = 0;
      plist_get_uint_val(node, &u);
      // libplist keeps signed integers in the same 64 bits.
      return Value(static_cast<long long>(u));
    }
    case PLIST_UID: {
      uint64_t u = 0;
      plist_get_uid_val(node, &u);
      return Value(static_cast<long long>(u));
    }
    case PLIST_REAL: {
      double d = 0;
      plist_get_real_val(node, &d);
      return Value(d);
    }
    case PLIST_STRING: {
      // By pointer and length: libplist asserts on texts holding a NUL otherwise.
      uint64_t length = 0;
      const char* s = plist_get_string_ptr(node, &length);
      return Value(std::string(s ? s : "", s ? length : 0));
    }
    case PLIST_DATE: {
      int32_t sec = 0, usec = 0;
      plist_get_date_val(node, &sec, &usec);
      return Value(static_cast<double>(sec) + static_cast<double>(usec) / 1e6 + kPlistEpochOffset);
    }
    case PLIST_DATA: {
      char* data = nullptr;
      uint64_t length = 0;
      plist_get_data_val(node, &data, &length);
      Value v = dataValue(std::string_view(data ? data : "", data ? length : 0));
      std::free(data);
      return v;
    }
    case PLIST_ARRAY: {
      Value out = Value::array();
      uint32_t n = plist_array_get_size(node);
      for (uint32_t i = 0; i < n; ++i) {
        auto item = toValue(plist_array_get_item(node, i), depth + 1);
        if (!item) return std::nullopt;
        out.push_back(std::move(*item));
      }
      return out;
    }
    case PLIST_DICT: {
      Value out = Value::object();
      plist_dict_iter it = nullptr;
      plist_dict_new_iter(node, &it);
      if (!it) return out;
      for (;;) {
        char* key = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, it, &key, &item);
        if (!item) {
          std::free(key);
          break;
        }
        auto v = toValue(item, depth + 1);
        std::string k = key ? key : "";
        std::free(key);
        if (!v) {
          std::free(it);
          return std::nullopt;
        }
        out[k] = std::move(*v);
      }
      std::free(it);
      return out;
    }
    default:
      return std::nullopt;
  }
}

// libplist keeps texts NUL-terminated (a NUL would cut one short), and writes
// binary texts as UTF-16 (bytes that are not UTF-8 would not read back).
bool writableText(std::string_view text) {
  return text.find('\0') == std::string_view::npos && isValidUtf8(text);
}

plist_t toPlist(const Value& v, int depth) {
  if (depth > kMaxDepth) return nullptr;
  switch (v.type()) {
    case Value::value_t::boolean: return plist_new_bool(v.get<bool>() ? 1 : 0);
    case Value::value_t::number_integer:
      return plist_new_uint(static_cast<uint64_t>(v.get<long long>()));
    case Value::value_t::number_unsigned: return plist_new_uint(v.get<unsigned long long>());
    case Value::value_t::number_float: return plist_new_real(v.get<double>());
    case Value::value_t::string: {
      const auto& text = v.get_ref<const std::string&>();
      if (!writableText(text)) return nullptr;
      return plist_new_string(text.c_str());
    }
    case Value::value_t::binary: {
      const auto& bin = v.get_binary();
      return plist_new_data(reinterpret_cast<const char*>(bin.data()), bin.size());
    }
    case Value::value_t::array: {
      plist_t arr = plist_new_array();
      for (const auto& item : v) {
        plist_t p = toPlist(item, depth + 1);
        if (!p) {
          plist_free(arr);
          return nullptr;
        }
        plist_array_append_item(arr, p);
      }
      return arr;
    }
    case Value::value_t::object: {
      plist_t dict = plist_new_dict();
      for (auto it = v.begin(); it != v.end(); ++it) {
        plist_t p = writableText(it.key()) ? toPlist(it.value(), depth + 1) : nullptr;
        if (!p) {
          plist_free(dict);
          return nullptr;
        }
        plist_dict_set_item(dict, it.key().c_str(), p);
      }
      return dict;
    }
    default:
      return nullptr;  // null and discarded values have no property-list form
  }
}

// --- Screening bytes before libplist reads them ---------------------------
// libplist aborts the process (an assertion) on a dictionary key holding a NUL
// and recurses once per nesting level of a binary list, so the bytes are checked
// for both first; anything the check cannot follow is refused as malformed.

std::uint64_t bigEndian(std::string_view bytes, std::size_t at, std::size_t width) {
  std::uint64_t n = 0;
  for (std::size_t i = 0; i < width; ++i) n = (n << 8) | static_cast<unsigned char>(bytes[at + i]);
  return n;
}

class BinaryPlistScreen {
 public:
  explicit BinaryPlistScreen(std::string_view bytes) : bytes_(bytes) {}

  bool acceptable() {
    constexpr std::size_t kHeader = 8, kTrailer = 32;
    if (bytes_.size() < kHeader + kTrailer) return false;
    const std::size_t trailer = bytes_.size() - kTrailer;
    offsetSize_ = static_cast<unsigned char>(bytes_[trailer + 6]);
    refSize_ = static_cast<unsigned char>(bytes_[trailer + 7]);
    const std::uint64_t count = bigEndian(bytes_, trailer + 8, 8);
    const std::uint64_t top = bigEndian(bytes_, trailer + 16, 8);
    tableAt_ = bigEndian(bytes_, trailer + 24, 8);
    if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8) return false;
    if (count == 0 || top >= count || tableAt_ < kHeader || tableAt_ > trailer) return false;
    if (count > (trailer - tableAt_) / offsetSize_) return false;
    count_ = static_cast<std::size_t>(count);
    return nestingAcceptable(static_cast<std::size_t>(top));
  }

 private:
  struct Container {
    std::size_t refsAt = 0;   // where the child references start
    std::size_t refs = 0;     // how many child references
    std::size_t keys = 0;     // the first `keys` references name dictionary keys
  };

  std::optional<std::size_t> offsetOf(std::size_t object) const {
    const std::uint64_t at = bigEndian(bytes_, tableAt_ + object * offsetSize_, offsetSize_);
    if (at < 8 || at >= tableAt_) return std::nullopt;
    return static_cast<std::size_t>(at);
  }

  // The length that follows a marker: in its low nibble, or as an integer object.
  std::optional<std::size_t> lengthAt(std::size_t at, std::size_t* dataAt) const {
    const unsigned info = static_cast<unsigned char>(bytes_[at]) & 0x0F;
    if (info != 0x0F) {
      *dataAt = at + 1;
      return info;
    }
    if (at + 1 >= tableAt_) return std::nullopt;
    const unsigned marker = static_cast<unsigned char>(bytes_[at + 1]);
    if ((marker & 0xF0) != 0x10 || (marker & 0x0F) > 3) return std::nullopt;
    const std::size_t width = std::size_t{1} << (marker & 0x0F);
    if (at + 2 + width > tableAt_) return std::nullopt;
    const std::uint64_t n = bigEndian(bytes_, at + 2, width);
    if (n > tableAt_) return std::nullopt;
    *dataAt = at + 2 + width;
    return static_cast<std::size_t>(n);
  }

  std::optional<std::size_t> refAt(const Container& c, std::size_t i) const {
    const std::uint64_t ref = bigEndian(bytes_, c.refsAt + i * refSize_, refSize_);
    if (ref >= count_) return std::nullopt;
    return static_cast<std::size_t>(ref);
  }

  // nullopt: malformed. A container with no references for plain values.
  std::optional<Container> containerAt(std::size_t object) const {
    auto at = offsetOf(object);
    if (!at) return std::nullopt;
    const unsigned type = static_cast<unsigned char>(bytes_[*at]) >> 4;
    if (type != 0x0A && type != 0x0C && type != 0x0D) return Container{};
    std::size_t dataAt = 0;
    auto n = lengthAt(*at, &dataAt);
    if (!n) return std::nullopt;
    const std::size_t perEntry = type == 0x0D ? 2 : 1;
    if (*n > (tableAt_ - dataAt) / (refSize_ * perEntry)) return std::nullopt;
    return Container{dataAt, *n * perEntry, type == 0x0D ? *n : 0};
  }

  bool keyAcceptable(std::size_t object) const {
    auto at = offsetOf(object);
    if (!at) return false;
    const unsigned type = static_cast<unsigned char>(bytes_[*at]) >> 4;
    if (type != 0x05 && type != 0x06) return true;  // libplist refuses other keys itself
    std::size_t dataAt = 0;
    auto n = lengthAt(*at, &dataAt);
    if (!n) return false;
    const std::size_t unit = type == 0x06 ? 2 : 1;
    if (*n > (tableAt_ - dataAt) / unit) return false;
    for (std::size_t i = 0; i < *n; ++i) {
      if (bigEndian(bytes_, dataAt + i * unit, unit) == 0) return false;
    }
    return true;
  }

  // Depth-first over the reference graph without recursion; every object is
  // entered once, and a path deeper than kMaxDepth (or a cycle) is refused.
  bool nestingAcceptable(std::size_t top) {
    enum class Mark : unsigned char { New, Open, Done };
    std::vector<Mark> marks(count_, Mark::New);
    struct Frame {
      std::size_t object;
      Container container;
      std::size_t next = 0;
    };
    std::vector<Frame> path;
    auto enter = [&](std::size_t object) {
      if (marks[object] == Mark::Open) return false;
      if (marks[object] == Mark::Done) return true;
      auto c = containerAt(object);
      if (!c || path.size() >= static_cast<std::size_t>(kMaxDepth)) return false;
      marks[object] = Mark::Open;
      path.push_back(Frame{object, *c});
      return true;
    };
    if (!enter(top)) return false;
    while (!path.empty()) {
      Frame& frame = path.back();
      if (frame.next == frame.container.refs) {
        marks[frame.object] = Mark::Done;
        path.pop_back();
        continue;
      }
      const std::size_t i = frame.next++;
      auto child = refAt(frame.container, i);
      if (!child) return false;
      if (i < frame.container.keys && !keyAcceptable(*child)) return false;
      if (!enter(*child)) return false;
    }
    return true;
  }

  std::string_view bytes_;
  std::size_t offsetSize_ = 0, refSize_ = 0, count_ = 0;
  std::size_t tableAt_ = 0;
};

// XML cannot hold a NUL; libplist would still put one into a key from a raw
// byte or a character reference ("&#0;", "&#x00;"), so neither is let through.
bool xmlPlistAcceptable(std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos) return false;
  for (std::size_t at = bytes.find("&#"); at != std::string_view::npos; at = bytes.find("&#", at + 2)) {
    std::size_t i = at + 2;
    const bool hex = i < bytes.size() && (bytes[i] == 'x' || bytes[i] == 'X');
    if (hex) ++i;
    bool nonZero = false;
    for (; i < bytes.size() && std::isxdigit(static_cast<unsigned char>(bytes[i])); ++i) {
      if (!hex && !std::isdigit(static_cast<unsigned char>(bytes[i]))) break;
      if (bytes[i] != '0') nonZero = true;
    }
    if (!nonZero) return false;
  }
  return true;
}

bool looksLikePlist(std::string_view bytes) {
  if (bytes.size() >= 8 && std::memcmp(bytes.data(), "bplist00", 8) == 0) return true;
  // XML: after optional BOM and white space, a '<'.
  std::size_t i = 0;
  if (bytes.size() >= 3 && std::memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0) i = 3;
  while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
  return i < bytes.size() && bytes[i] == '<';
}

}  // namespace

std::optional<Value> parsePlist(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > std::numeric_limits<uint32_t>::max()) return std::nullopt;
  if (!looksLikePlist(bytes)) return std::nullopt;
  plist_t root = nullptr;
  const auto length = static_cast<uint32_t>(bytes.size());
  if (plist_is_binary(bytes.data(), length)) {
    if (!BinaryPlistScreen(bytes).acceptable()) return std::nullopt;
    plist_from_bin(bytes.data(), length, &root);
  } else {
    if (!xmlPlistAcceptable(bytes)) return std::nullopt;
    plist_from_xml(bytes.data(), length, &root);
  }
  if (!root) return std::nullopt;
  PlistPtr owner(root);
  return toValue(root, 0);
}

std::optional<Value> parsePlist(const Bytes& bytes) {
  return parsePlist(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::optional<Bytes> serializePlist(const Value& value, PlistFormat format) {
  plist_t root = toPlist(value, 0);
  if (!root) return std::nullopt;
  PlistPtr owner(root);
  char* out = nullptr;
  uint32_t length = 0;
  if (format == PlistFormat::Binary) {
    plist_to_bin(root, &out, &length);
  } else {
    plist_to_xml(root, &out, &length);
  }
  if (!out) return std::nullopt;
  Bytes bytes(out, out + length);
  if (format == PlistFormat::Binary) plist_to_bin_free(out);
  else plist_to_xml_free(out);
  return bytes;
}

std::optional<Value> readPlistFile(const std::string& path) {
  auto bytes = readFile(path);
  if (!bytes) return std::nullopt;
  return parsePlist(*bytes);
}

bool writePlistFile(const std::string& path, const Value& value, PlistFormat format) {
  auto bytes = serializePlist(value, format);
  return bytes && writeFileAtomically(path, *bytes);
}

}  // namespace platform
