#include "player/library/text_folding.h"

#include <QChar>
#include <QList>
#include <QString>

namespace corvale {
namespace {

bool isApostrophe(char32_t c) { return c == U'\'' || c == U'\u2019' || c == U'\u2018' || c == U'\u02BC' || c == U'`'; }

// Letters that carry no accent to take off but that a musician types plainly.
const char* plainSpelling(char32_t c) {
  switch (c) {
    case U'ß': return "ss";
    case U'æ': return "ae";
    case U'œ': return "oe";
    case U'ø': return "o";
    case U'ł': return "l";
    case U'đ': return "d";
    case U'ð': return "d";
    case U'þ': return "th";
    case U'ı': return "i";
    default: return nullptr;
  }
}

}  // namespace

std::string foldForSearch(std::string_view utf8Text) {
  // Compatibility decomposition splits "é" into "e" and its accent, and "ﬁ" into "fi".
  const QString decomposed =
      QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size())).toCaseFolded().normalized(
          QString::NormalizationForm_KD);
  std::u32string folded;
  folded.reserve(static_cast<std::size_t>(decomposed.size()));
  bool pendingBreak = false;
  for (const char32_t c : decomposed.toUcs4()) {
    const QChar::Category category = QChar::category(c);
    if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
        category == QChar::Mark_Enclosing || isApostrophe(c)) {
      continue;
    }
    if (!QChar::isLetterOrNumber(c)) {
      pendingBreak = !folded.empty();
      continue;
    }
    if (pendingBreak) folded += U' ';
    pendingBreak = false;
    if (const char* plain = plainSpelling(c)) {
      for (const char* p = plain; *p != '\0'; ++p) folded += static_cast<char32_t>(*p);
    } else {
      folded += c;
    }
  }
  return QString::fromUcs4(folded.data(), static_cast<qsizetype>(folded.size())).toStdString();
}

std::vector<std::string> searchWords(std::string_view utf8Text) {
  const std::string folded = foldForSearch(utf8Text);
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < folded.size()) {
    std::size_t end = folded.find(' ', at);
    if (end == std::string::npos) end = folded.size();
    words.push_back(folded.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

bool containsEveryWord(const std::vector<std::string>& words, std::string_view foldedText) {
  for (const std::string& word : words) {
    bool found = false;
    for (std::size_t at = foldedText.find(word); at != std::string_view::npos && !found;
         at = foldedText.find(word, at + 1)) {
      found = at == 0 || foldedText[at - 1] == ' ';
    }
    if (!found) return false;
  }
  return true;
}

}  // namespace corvale
