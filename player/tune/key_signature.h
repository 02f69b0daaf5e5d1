#pragma once

#include <string>
#include <string_view>

namespace corvale {

// The key signature of a tune: which note letters the key raises or lowers by a
// semitone. Five signatures are known: none, F sharp, F and C sharp, F, C and G sharp,
// B flat. Every mode in the key name table maps to the major key with its signature.
class KeySignature {
 public:
  // Looks the whole key text up in the table of key names (exact text, case and spaces
  // count); without a match the key letter gives the class.
  static KeySignature resolve(std::string_view keyText, std::string_view keyLetter);

  // KeyClass: the major key whose signature the tune uses ("" when the tune has no key).
  const std::string& keyClass() const { return keyClass_; }

  // +1 when the key raises this note letter, -1 when it lowers it, 0 otherwise
  // (and for anything that is not a note letter).
  int alterationFor(char32_t letter) const;

 private:
  enum class Signature { None, OneSharp, TwoSharps, ThreeSharps, OneFlat };

  std::string keyClass_;
  Signature signature_ = Signature::None;
};

}  // namespace corvale
