#include "player/app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace corvale {

bool asksOnlyForText(int argc, char* argv[]) {
  for (int index = 1; index < argc; ++index) {
    const std::string_view argument = argv[index];
    if (argument == "-h" || argument == "--help" || argument == "--help-all" || argument == "-v" ||
        argument == "--version") {
      return true;
    }
  }
  return false;
}

StartRequest readCommandLine(const QCoreApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Plays folk tunes written in ABC as fiddle or banjo and shows each note on a fingerboard."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A tune file to open at once."),
                               QStringLiteral("[FILE]"));
  parser.process(app);
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    std::fprintf(stderr, "corvale: one tune file at a time, not %lld\n", static_cast<long long>(files.size()));
    std::exit(EXIT_FAILURE);
  }
  if (files.isEmpty()) return {};
  return {QFileInfo(files.front()).absoluteFilePath()};
}

}  // namespace corvale
