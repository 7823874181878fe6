#include "platform/foundation/Plist.h"

#include <plist/plist.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/foundation/Files.h"

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

plist_t toPlist(const Value& v, int depth) {
  if (depth > kMaxDepth) return nullptr;
  switch (v.type()) {
    case Value::value_t::boolean: return plist_new_bool(v.get<bool>() ? 1 : 0);
    case Value::value_t::number_integer:
      return plist_new_uint(static_cast<uint64_t>(v.get<long long>()));
    case Value::value_t::number_unsigned: return plist_new_uint(v.get<unsigned long long>());
    case Value::value_t::number_float: return plist_new_real(v.get<double>());
    case Value::value_t::string: return plist_new_string(v.get_ref<const std::string&>().c_str());
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
        plist_t p = toPlist(it.value(), depth + 1);
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
    plist_from_bin(bytes.data(), length, &root);
  } else {
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
