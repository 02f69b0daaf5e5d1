#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace melodex {

// The per-user registry of controls: which library holds the control of each
// ProgID. A text file, one "ProgID=library path" line per control, in
// $MELODEX_REGISTRY_DIR when set (tests use a folder of their own), else in
// $XDG_DATA_HOME/melodex or ~/.local/share/melodex.
class ControlRegistry {
 public:
  static std::filesystem::path defaultFile();

  explicit ControlRegistry(std::filesystem::path file = defaultFile());

  std::optional<std::filesystem::path> find(const std::string& progId) const;
  // Both return false, leaving the file as it was, when it cannot be written.
  bool add(const std::string& progId, const std::filesystem::path& library);
  bool remove(const std::string& progId);

 private:
  std::map<std::string, std::string> load() const;
  bool save(const std::map<std::string, std::string>& entries) const;

  std::filesystem::path file_;
};

}  // namespace melodex
