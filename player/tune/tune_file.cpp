#include "tune/tune_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "tune/tune_index.h"
#include "tune/utf8_text.h"

namespace corvale {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

[[noreturn]] void fail(const std::filesystem::path& path, const std::string& reason) {
  throw TuneFileError(path.string() + ": " + reason);
}

std::string readAllBytes(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) fail(path, "is a folder, not a tune file");
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) fail(path, std::strerror(errno));
  std::string bytes;
  const auto expectedSize = std::filesystem::file_size(path, error);
  if (!error) bytes.reserve(expectedSize);
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  if (std::ferror(file.get())) fail(path, std::strerror(errno));
  return bytes;
}

}  // namespace

TuneFile readTuneText(std::string bytes) {
  if (bytes.starts_with(kByteOrderMark)) bytes.erase(0, kByteOrderMark.size());
  if (!isValidUtf8(bytes)) bytes = latin1ToUtf8(bytes);
  TuneFile file;
  file.lineStore = LineStore::fromText(std::move(bytes));
  file.tuneIndex = buildTuneIndex(file.lineStore);
  return file;
}

TuneFile readTuneFile(const std::filesystem::path& path) { return readTuneText(readAllBytes(path)); }

}  // namespace corvale
