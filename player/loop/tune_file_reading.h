#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "player/loop/player_loop_view.h"
#include "tune/tune_file.h"

namespace corvale {

using TuneFileReader = std::function<TuneFile(const std::filesystem::path&)>;

// How long a file may take before the message area says it is being read.
inline constexpr std::chrono::milliseconds kReadingNoticeDelay{250};

// Files read on the window's thread at once, as they always were: regular
// files up to this size take a few milliseconds.
inline constexpr std::uintmax_t kQuickReadBytes = 4 * 1024 * 1024;

// True for a regular file (after links) of at most kQuickReadBytes, and for
// a path the reader refuses at once (nothing there, a folder); false for a
// larger file and for pipes, sockets and devices, which may keep a reader waiting.
bool quickToRead(const std::filesystem::path& path);

// Reads a tune file on a thread of its own while the window goes on handling
// its events, so a large or slow file never freezes the window: after
// kReadingNoticeDelay the message area says "Reading …" until the file is in.
// Returns nothing when the window closes first; the reader is then left to
// finish unseen. Throws TuneFileError when the file cannot be read, also for
// a reader that fails in any other way (such as running out of memory).
std::optional<TuneFile> readTuneFileWhileWaiting(PlayerLoopView& view, const std::filesystem::path& path,
                                                 const TuneFileReader& read = readTuneFile);

}  // namespace corvale
