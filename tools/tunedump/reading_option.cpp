#include "reading_option.h"

namespace corvale {

ReadingChoice takeReadingOption(const std::vector<std::string>& args) {
  ReadingChoice choice;
  for (const std::string& arg : args) {
    if (arg == "--standard") {
      choice.reading = Reading::Standard;
    } else if (arg == "--ornaments") {
      choice.options.playOrnaments = true;
    } else {
      choice.args.push_back(arg);
    }
  }
  return choice;
}

}  // namespace corvale
