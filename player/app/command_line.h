#pragma once

#include <QString>

class QCoreApplication;

namespace corvale {

// What corvale was started with: at most one tune file to read at once.
struct StartRequest {
  QString tuneFile;  // absolute; empty for none
};

// True when the command line asks only for text (--help, --version), which
// needs no window system: the caller may then read it with a plain
// QCoreApplication, so that it works on a machine with no display.
bool asksOnlyForText(int argc, char* argv[]);

// Reads the command line: `corvale [FILE]`. --help and --version print and
// end the program, as does a wrong option or a second file, with a message.
StartRequest readCommandLine(const QCoreApplication& app);

}  // namespace corvale
