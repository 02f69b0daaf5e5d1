#include "tune/key_signature.h"

#include <array>

namespace corvale {

namespace {

struct KeyName {
  std::string_view name;
  std::string_view keyClass;
};

constexpr std::array kKeyNames{
    KeyName{"Adorian", "G"},  KeyName{"ADor", "G"},       KeyName{"ADOR", "G"},     KeyName{"Ador", "G"},
    KeyName{"A Dorian", "G"}, KeyName{"B Dorian", "A"},   KeyName{"BDor", "A"},     KeyName{"B do", "A"},
    KeyName{"B Minor", "D"},  KeyName{"BMin", "D"},       KeyName{"bm", "D"},       KeyName{"Bm", "D"},
    KeyName{"c", "C"},        KeyName{"C Major", "C"},    KeyName{"Am", "C"},       KeyName{"D Dorian", "C"},
    KeyName{"DDor", "C"},     KeyName{"Ddor", "C"},       KeyName{"DMaj", "D"},     KeyName{" D Maj", "D"},
    KeyName{"D Major", "D"},  KeyName{"D maj", "D"},      KeyName{"DM", "D"},       KeyName{"d", "D"},
    KeyName{"Dm", "F"},       KeyName{"DMIX", "G"},       KeyName{"DMix", "G"},     KeyName{"Dmix", "G"},
    KeyName{"D Mixolydi", "G"}, KeyName{"E Dorian", "D"}, KeyName{"EDor", "D"},     KeyName{"E Dor", "D"},
    KeyName{"Edorian", "D"},  KeyName{"Edor", "D"},       KeyName{"E Minor", "G"},  KeyName{"EMin", "G"},
    KeyName{"Emin", "G"},     KeyName{"G Maj", "G"},      KeyName{"G Major", "G"},  KeyName{"GMaj", "G"},
    KeyName{"g", "G"},        KeyName{"G Dorian", "F"},   KeyName{"GDor", "F"},     KeyName{"Gdor", "F"},
    KeyName{"F Major", "F"},  KeyName{"AMIX", "D"},       KeyName{"AMix", "D"},     KeyName{"Amix", "D"},
};

}  // namespace

KeySignature KeySignature::resolve(std::string_view keyText, std::string_view keyLetter) {
  KeySignature key;
  key.keyClass_ = keyLetter;
  for (const KeyName& row : kKeyNames) {
    if (row.name == keyText) {
      key.keyClass_ = row.keyClass;
      break;
    }
  }
  if (key.keyClass_ == "G") key.signature_ = Signature::OneSharp;
  if (key.keyClass_ == "D") key.signature_ = Signature::TwoSharps;
  if (key.keyClass_ == "A") key.signature_ = Signature::ThreeSharps;
  if (key.keyClass_ == "F") key.signature_ = Signature::OneFlat;
  // Two key names keep a signature of their own besides the class their letter gives.
  if (keyText == "Em") key.signature_ = Signature::OneSharp;
  if (keyText == "Bdor") key.signature_ = Signature::ThreeSharps;
  return key;
}

int KeySignature::alterationFor(char32_t letter) const {
  switch (letter) {
    case U'F': case U'f':
      return signature_ == Signature::OneSharp || signature_ == Signature::TwoSharps ||
                     signature_ == Signature::ThreeSharps ? 1 : 0;
    case U'C': case U'c':
      return signature_ == Signature::TwoSharps || signature_ == Signature::ThreeSharps ? 1 : 0;
    case U'G': case U'g':
      return signature_ == Signature::ThreeSharps ? 1 : 0;
    case U'B': case U'b':
      return signature_ == Signature::OneFlat ? -1 : 0;
    default:
      return 0;
  }
}

}  // namespace corvale
