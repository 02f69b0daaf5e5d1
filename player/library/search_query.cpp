#include "player/library/search_query.h"

#include <cctype>

#include "player/library/text_folding.h"

namespace corvale {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool isSpace(char c) { return c == ' ' || c == '\t'; }

// The mode a word names, as keyName writes it; "" for major, nothing kept for a
// word that is no mode (a clef, say).
std::string modeOf(std::string_view word) {
  std::string w;
  for (const char c : word) w += lower(c);
  if (w == "m") return "m";
  if (w.size() < 3) return "";
  const std::string_view stem = std::string_view(w).substr(0, 3);
  if (stem == "min" || stem == "aeo") return "m";
  for (const char* mode : {"dor", "phr", "lyd", "mix", "loc"}) {
    if (stem == mode) return mode;
  }
  return "";
}

// One word of a query: a filter name and value, or a plain word (empty name).
struct Token {
  std::string name;
  std::string value;
};

std::vector<Token> tokensOf(std::string_view typed) {
  std::vector<Token> tokens;
  std::size_t at = 0;
  while (at < typed.size()) {
    while (at < typed.size() && isSpace(typed[at])) ++at;
    if (at == typed.size()) break;
    std::size_t end = at;
    while (end < typed.size() && !isSpace(typed[end]) && typed[end] != ':') ++end;
    Token token;
    if (end < typed.size() && typed[end] == ':') {
      for (const char c : typed.substr(at, end - at)) token.name += lower(c);
      at = end + 1;
      if (at < typed.size() && typed[at] == '"') {
        end = typed.find('"', at + 1);
        if (end == std::string_view::npos) end = typed.size();
        token.value = typed.substr(at + 1, end - at - 1);
        at = end == typed.size() ? end : end + 1;
        tokens.push_back(token);
        continue;
      }
      end = at;
    }
    while (end < typed.size() && !isSpace(typed[end])) ++end;
    token.value = typed.substr(at, end - at);
    tokens.push_back(token);
    at = end;
  }
  return tokens;
}

}  // namespace

std::string keyName(std::string_view keyField) {
  std::size_t at = 0;
  while (at < keyField.size() && isSpace(keyField[at])) ++at;
  if (at == keyField.size()) return "";
  const char tonic = lower(keyField[at]);
  if (tonic < 'a' || tonic > 'g') {
    std::string word;
    while (at < keyField.size() && !isSpace(keyField[at])) word += lower(keyField[at++]);
    return word;  // "none", "hp" and the like, as written
  }
  std::string name(1, tonic);
  ++at;
  if (at < keyField.size() && (keyField[at] == '#' || keyField[at] == 'b')) name += keyField[at++];
  while (at < keyField.size() && isSpace(keyField[at])) ++at;
  std::size_t end = at;
  while (end < keyField.size() && std::isalpha(static_cast<unsigned char>(keyField[end])) != 0) ++end;
  return name + modeOf(keyField.substr(at, end - at));
}

std::string metreName(std::string_view metreField) {
  std::string name;
  for (const char c : metreField) {
    if (!isSpace(c)) name += c;
  }
  if (name == "C" || name == "c") return "4/4";
  if (name == "C|" || name == "c|") return "2/2";
  return name;
}

std::string rhythmName(std::string_view rhythmField) { return foldForSearch(rhythmField); }

SearchQuery parseSearchQuery(std::string_view typed) {
  SearchQuery query;
  // A filter typed again replaces the one before; one with no value yet changes nothing.
  const auto keep = [](std::string& filter, std::string value) {
    if (!value.empty()) filter = std::move(value);
  };
  for (const Token& token : tokensOf(typed)) {
    if (token.name == "key" || token.name == "k") {
      keep(query.key, keyName(token.value));
    } else if (token.name == "rhythm" || token.name == "r") {
      keep(query.rhythm, rhythmName(token.value));
    } else if (token.name == "metre" || token.name == "meter" || token.name == "m") {
      keep(query.metre, metreName(token.value));
    } else if (token.name == "x") {
      // The X: number is among the words every tune is found by.
      for (std::string& word : searchWords(token.value)) query.words.push_back(std::move(word));
    } else {
      const std::string text = token.name.empty() ? token.value : token.name + ' ' + token.value;
      for (std::string& word : searchWords(text)) query.words.push_back(std::move(word));
    }
  }
  return query;
}

}  // namespace corvale
