#pragma once

#include <QString>

class QCoreApplication;

namespace corvale {

// What corvale was started with: at most one tune file to read at once.
struct StartRequest {
  QString tuneFile;  // absolute; empty for none
};

// Reads the command line: `corvale [FILE]`. --help and --version print and
// end the program, as does a wrong option or a second file, with a message.
StartRequest readCommandLine(const QCoreApplication& app);

}  // namespace corvale
