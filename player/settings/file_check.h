#pragma once

#include <cstdint>
#include <string>

namespace corvale {

// What a file a program is about to read turns out to be, judged without waiting:
// it is opened with O_NONBLOCK and measured on the open file, so a FIFO, a device,
// a socket, a folder or a link to one of them is named for what it is and never
// holds the program.
struct FileCheck {
  enum class Verdict {
    Readable,     // a regular file of at most the size asked
    Absent,       // nothing there
    Unopenable,   // there, but cannot be opened (rights, a broken path)
    NotRegular,   // a FIFO, device, socket or folder
    TooLarge,
  };
  Verdict verdict = Verdict::Readable;
  std::string problem;  // "is a FIFO, not a regular file", "is not there"...; "" when readable
};
FileCheck checkFile(const std::string& path, std::int64_t maxBytes);

// What a node that is not a regular file is, from its stat mode: "is a FIFO,
// not a regular file", "is a folder, not a regular file"...
std::string nonRegularFileText(unsigned mode);

}  // namespace corvale
