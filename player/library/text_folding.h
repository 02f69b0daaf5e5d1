#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvale {

// Text as the finding of tunes compares it: lower case, accents taken off
// ("Cé" is "ce", "ß" is "ss"), apostrophes dropped so "Cooley's" reads "cooleys",
// every other mark a word break, words one space apart. Valid UTF-8 in and out.
std::string foldForSearch(std::string_view utf8Text);

// The words of `utf8Text` once folded, in order.
std::vector<std::string> searchWords(std::string_view utf8Text);

// Whether every one of `words` (folded) begins some word of `foldedText`, in any
// order: "wind barley" is in "the wind that shakes the barley", and so is "sha".
// No words match everything.
bool containsEveryWord(const std::vector<std::string>& words, std::string_view foldedText);

}  // namespace corvale
