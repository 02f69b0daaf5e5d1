#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "melodex/variant.h"

namespace melodex {

// A host's saved design for one control: named values. Reading gives the
// default for a name not stored; writing a value equal to its default stores
// nothing (and removes an earlier entry), as hosts keep saved designs small.
class PropertyStore {
 public:
  virtual ~PropertyStore() = default;
  virtual Variant read(const std::string& name, const Variant& defaultValue) = 0;
  virtual void write(const std::string& name, const Variant& value, const Variant& defaultValue) = 0;
};

class MemoryPropertyStore : public PropertyStore {
 public:
  Variant read(const std::string& name, const Variant& defaultValue) override;
  void write(const std::string& name, const Variant& value, const Variant& defaultValue) override;
  const std::map<std::string, std::string>& entries() const { return entries_; }
  // Puts an entry back as a saved design holds it, with no default to compare.
  void restore(const std::string& name, std::string text) { entries_[name] = std::move(text); }

 private:
  std::map<std::string, std::string> entries_;  // values kept as text, as a saved design holds them
};

// A saved design in a simple text file: one "name = value" line per entry.
// Loads at construction (a missing file is an empty design) and saves on save().
class FilePropertyStore : public PropertyStore {
 public:
  explicit FilePropertyStore(std::filesystem::path file);
  Variant read(const std::string& name, const Variant& defaultValue) override;
  void write(const std::string& name, const Variant& value, const Variant& defaultValue) override;
  void save() const;  // throws std::runtime_error naming the file when it cannot be written

 private:
  std::filesystem::path file_;
  MemoryPropertyStore memory_;
};

}  // namespace melodex
