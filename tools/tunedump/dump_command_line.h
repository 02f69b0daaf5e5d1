#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvale {

// What tunedump was asked to do: list the tunes of FILE, or play tunes N.. of it.
struct DumpCommandLine {
  std::filesystem::path file;
  std::vector<std::string> tuneNumbers;  // each all digits, as written; empty: list the tunes
};

// A command line tunedump cannot follow; what() says why, naming the file when given.
class DumpUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A tune number or slider value as tunedump takes it: one or more digits, nothing else.
bool isAllDigits(const std::string& text);

// `args` are the arguments after the program name.
DumpCommandLine parseDumpCommandLine(const std::vector<std::string>& args);

// Runs one of tunedump's modes and returns its status; a command line it cannot
// follow or a tune file it cannot read ends it with one line on `err` and status 2.
int runTellingBadInput(std::ostream& err, const std::function<int()>& mode);

}  // namespace corvale
