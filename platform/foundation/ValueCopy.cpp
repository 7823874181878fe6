#include "platform/foundation/ValueCopy.h"

#include <utility>
#include <vector>

namespace platform {

bool holdsNull(const Value& value) {
  std::vector<const Value*> pending{&value};
  while (!pending.empty()) {
    const Value* v = pending.back();
    pending.pop_back();
    if (v->is_null()) return true;
    if (v->is_array() || v->is_object()) {
      for (const auto& item : *v) pending.push_back(&item);
    }
  }
  return false;
}

Value withoutNulls(const Value& value) {
  if (value.is_null()) return Value();
  Value out;
  // Each pair: a source container and its copy, already in place in `out`. A
  // copy's children are all added before any of them is filled, so the
  // addresses held for them stay valid.
  std::vector<std::pair<const Value*, Value*>> pending;
  auto shell = [](const Value& v) {
    if (v.is_object()) return Value::object();
    if (v.is_array()) return Value::array();
    return v;
  };
  out = shell(value);
  if (value.is_array() || value.is_object()) pending.emplace_back(&value, &out);
  while (!pending.empty()) {
    auto [source, copy] = pending.back();
    pending.pop_back();
    std::vector<const Value*> kept;
    for (auto it = source->begin(); it != source->end(); ++it) {
      if (it.value().is_null()) continue;
      kept.push_back(&it.value());
      if (source->is_object()) copy->emplace(it.key(), shell(it.value()));
      else copy->push_back(shell(it.value()));
    }
    // The copy holds the kept children in the source's order.
    std::size_t i = 0;
    for (auto it = copy->begin(); it != copy->end(); ++it, ++i)
      if (it->is_array() || it->is_object()) pending.emplace_back(kept[i], &*it);
  }
  return out;
}

}  // namespace platform
