#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace corvale {

// A tune file found under the music folder, with what tells a changed file.
struct FoundFile {
  std::filesystem::path path;  // the file system's own bytes
  std::int64_t modified = 0;   // nanoseconds since the epoch
  std::int64_t size = 0;
};

struct FolderScan {
  std::vector<FoundFile> files;  // in a fixed order: by path bytes
  int unreadable = 0;            // folders and files that could not be looked into
};

// Whether a file holds tunes: its name ends in ".abc" (any case), or its first
// line begins with "%abc" or "X:".
bool looksLikeTuneFile(const std::filesystem::path& name, std::string_view firstBytes);

// Every tune file under `folder`, in every folder below it. Links are followed,
// each folder looked into once (a link loop ends there); names beginning with "."
// are passed over; only regular files count, so a FIFO or a device is never
// opened for reading and never waited on. `stop` is asked between folders.
FolderScan scanMusicFolder(const std::filesystem::path& folder, const std::function<bool()>& stop = {});

}  // namespace corvale
