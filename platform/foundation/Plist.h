#pragma once
// Property lists (XML and binary) to and from Value, through libplist.
//
// Mapping: dictionary <-> dictionary (insertion order kept), array <-> array,
// text <-> string, integer <-> integer, real <-> real, bool <-> boolean,
// data <-> data (a binary Value). A property-list date is read as a real number
// of seconds since 1970 (property lists cannot tell a Value's dates from
// numbers, so nothing is ever written back as a date). A property list has no
// null: a Value holding a null anywhere cannot be written (nullopt), as the
// platform refused to write such a collection; neither can a key or a text
// holding a NUL or bytes that are not UTF-8 (they would not read back whole).
//
// Reading checks the bytes before libplist sees them: binary lists nested deeper
// than 512 levels, looping, or with a key holding a NUL, and XML holding a NUL,
// are malformed. Files the client keeps for itself are written binary (the XML
// reader decodes entities in quadratic time); reading takes both forms.
#include <optional>
#include <string_view>

#include "platform/foundation/Value.h"

namespace platform {

enum class PlistFormat { Xml, Binary };

// Reads XML or binary property-list bytes; nullopt for anything malformed.
// Never throws.
std::optional<Value> parsePlist(std::string_view bytes);
std::optional<Value> parsePlist(const Bytes& bytes);

// Serialises; nullopt when the value holds a null (or nesting deeper than 512).
std::optional<Bytes> serializePlist(const Value& value, PlistFormat format = PlistFormat::Xml);

// Reads a property-list file; nullopt when it is absent, unreadable or malformed.
std::optional<Value> readPlistFile(const std::string& path);
// Writes a property-list file whole and atomically; false (and the earlier file
// kept) when the value cannot be written or the write fails.
bool writePlistFile(const std::string& path, const Value& value,
                    PlistFormat format = PlistFormat::Binary);

}  // namespace platform
