#include <fstream>
#include <stdexcept>

#include "melodex/property_store.h"

namespace melodex {

namespace {

constexpr std::string_view kSeparator = " = ";

// One entry per line: line breaks and backslashes in a value are escaped so a
// value can never break the file into extra entries.
std::string escape(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\') {
      escaped += "\\\\";
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\r') {
      escaped += "\\r";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string unescape(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      plain += text[i];
      continue;
    }
    const char next = text[++i];
    plain += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return plain;
}

}  // namespace

FilePropertyStore::FilePropertyStore(std::filesystem::path file) : file_(std::move(file)) {
  std::ifstream in(file_);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t separator = line.find(kSeparator);
    if (separator == std::string::npos || separator == 0) continue;
    memory_.restore(line.substr(0, separator), unescape(line.substr(separator + kSeparator.size())));
  }
}

Variant FilePropertyStore::read(const std::string& name, const Variant& defaultValue) {
  return memory_.read(name, defaultValue);
}

void FilePropertyStore::write(const std::string& name, const Variant& value, const Variant& defaultValue) {
  memory_.write(name, value, defaultValue);
}

void FilePropertyStore::save() const {
  std::ofstream out(file_, std::ios::trunc);
  for (const auto& [name, text] : memory_.entries()) out << name << kSeparator << escape(text) << '\n';
  out.flush();
  if (!out) throw std::runtime_error("cannot save the control's design to " + file_.string());
}

}  // namespace melodex
