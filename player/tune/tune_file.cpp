#include "tune/tune_file.h"

#include <new>

#include "tune/tune_index.h"
#include "tune/utf8_text.h"

namespace corvale {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TuneFile readTuneText(std::string bytes) {
  if (bytes.starts_with(kByteOrderMark)) bytes.erase(0, kByteOrderMark.size());
  if (!isValidUtf8(bytes)) widenLatin1ToUtf8(bytes);
  TuneFile file;
  file.lineStore = LineStore::fromText(std::move(bytes));
  file.tuneIndex = buildTuneIndex(file.lineStore);
  return file;
}

TuneFile readTuneFile(const std::filesystem::path& path) {
  std::string bytes = readRegularFile(path);
  try {
    return readTuneText(std::move(bytes));
  } catch (const std::bad_alloc&) {
    throw TuneFileError(path.string() + ": not enough memory to list its tunes");
  }
}

}  // namespace corvale
