#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "melodex/property_store.h"

namespace melodex {

namespace {

// A saved value comes back in the type of its default when the text reads as
// one; otherwise as text, and the control's conversion reports the mismatch.
Variant fromText(const std::string& text, const Variant& defaultValue) {
  if (std::holds_alternative<std::int32_t>(defaultValue)) {
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text.c_str(), &end, 10);
    if (!text.empty() && *end == '\0' && errno == 0 && number >= INT32_MIN && number <= INT32_MAX) {
      return static_cast<std::int32_t>(number);
    }
  } else if (std::holds_alternative<double>(defaultValue)) {
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (!text.empty() && *end == '\0') return number;
  } else if (std::holds_alternative<bool>(defaultValue)) {
    if (text == "True") return true;
    if (text == "False") return false;
  }
  return text;
}

}  // namespace

Variant MemoryPropertyStore::read(const std::string& name, const Variant& defaultValue) {
  const auto entry = entries_.find(name);
  if (entry == entries_.end()) return defaultValue;
  return fromText(entry->second, defaultValue);
}

void MemoryPropertyStore::write(const std::string& name, const Variant& value, const Variant& defaultValue) {
  const std::string text = toText(value);
  if (value == defaultValue || text == toText(defaultValue)) {
    entries_.erase(name);
  } else {
    entries_[name] = text;
  }
}

}  // namespace melodex
