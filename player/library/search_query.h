#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvale {

// A key as searches compare keys: the tonic and the mode, lower case, major
// written as the tonic alone ("K:G major", "K: Gmaj" and "K:G" are all "g"; "K:Edor"
// is "edor", "K:E minor" and "K:Em" "em", "K:Ab Mixolydian" "abmix"). Empty for no key.
std::string keyName(std::string_view keyField);

// A metre as searches compare metres: the fraction without spaces, "C" as "4/4"
// and "C|" as "2/2".
std::string metreName(std::string_view metreField);

// A rhythm as searches compare rhythms: folded ("Slip-Jig" is "slip jig").
std::string rhythmName(std::string_view rhythmField);

// What was typed into a search: words looked for in every field, and the filters
// `key:G`, `rhythm:reel` and `metre:6/8` (also `k:`, `r:`, `m:`, `meter:`; a value of
// several words in quotes, `rhythm:"slip jig"`). A filter with no value yet is left
// out, so a half-typed one changes nothing.
struct SearchQuery {
  std::vector<std::string> words;  // folded
  std::string key;                 // keyName(), empty for any
  std::string rhythm;              // rhythmName(), empty for any
  std::string metre;               // metreName(), empty for any

  bool empty() const { return words.empty() && key.empty() && rhythm.empty() && metre.empty(); }
};

SearchQuery parseSearchQuery(std::string_view typed);

}  // namespace corvale
