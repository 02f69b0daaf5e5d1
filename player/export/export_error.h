#pragma once

#include <stdexcept>
#include <string>

namespace corvale {

// How an export ended without writing its file.
enum class ExportEnd {
  Refused,  // the output is not a regular file: nothing was tried
  TooLong,  // the tune plays longer, or holds more notes, than an export keeps
  Failed,   // the play was refused, the sound could not be made or the file written
  Stopped,  // cancelled, or a signal asked the program to end
};

// Why an export wrote nothing; what() is a sentence for the musician.
class ExportError : public std::runtime_error {
 public:
  ExportError(ExportEnd end, const std::string& message) : std::runtime_error(message), end_(end) {}
  ExportEnd end() const { return end_; }

 private:
  ExportEnd end_;
};

}  // namespace corvale
