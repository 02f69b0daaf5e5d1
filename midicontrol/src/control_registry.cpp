#include "control_registry.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace melodex {

namespace {
constexpr const char* kFileName = "controls.registry";
}

std::filesystem::path ControlRegistry::defaultFile() {
  if (const char* folder = std::getenv("MELODEX_REGISTRY_DIR"); folder && *folder) {
    return std::filesystem::path(folder) / kFileName;
  }
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
    return std::filesystem::path(data) / "melodex" / kFileName;
  }
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : "/tmp") / ".local/share/melodex" / kFileName;
}

ControlRegistry::ControlRegistry(std::filesystem::path file) : file_(std::move(file)) {}

std::map<std::string, std::string> ControlRegistry::load() const {
  std::map<std::string, std::string> entries;
  std::ifstream in(file_);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == line.size()) continue;
    entries[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return entries;
}

// Written to a temporary file and renamed over the old one, so a registry is
// never left half written for another program reading it.
bool ControlRegistry::save(const std::map<std::string, std::string>& entries) const {
  std::error_code error;
  std::filesystem::create_directories(file_.parent_path(), error);
  const auto temporary = file_.string() + ".new." + std::to_string(::getpid());
  {
    std::ofstream out(temporary, std::ios::trunc);
    for (const auto& [progId, library] : entries) out << progId << '=' << library << '\n';
    out.flush();
    if (!out) {
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, file_, error);
  if (error) std::filesystem::remove(temporary, error);
  return !error;
}

std::optional<std::filesystem::path> ControlRegistry::find(const std::string& progId) const {
  const auto entries = load();
  const auto entry = entries.find(progId);
  if (entry == entries.end()) return std::nullopt;
  return std::filesystem::path(entry->second);
}

bool ControlRegistry::add(const std::string& progId, const std::filesystem::path& library) {
  if (progId.empty() || progId.find('=') != std::string::npos || progId.find('\n') != std::string::npos ||
      library.string().find('\n') != std::string::npos) {
    return false;
  }
  auto entries = load();
  entries[progId] = library.string();
  return save(entries);
}

bool ControlRegistry::remove(const std::string& progId) {
  auto entries = load();
  if (entries.erase(progId) == 0) return true;
  return save(entries);
}

}  // namespace melodex
