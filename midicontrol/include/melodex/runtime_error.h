#pragma once

#include <stdexcept>
#include <string>

namespace melodex {

// Numbered run-time errors the control raises to its caller for misuse.
enum ErrorNumber : int {
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
  kDivisionByZero = 11,
  kTypeMismatch = 13,
  kSetNotAllowedAtRunTime = 382,
  kSetNotAllowed = 387,
  kSetNotAllowedAtDesignTime = 394,
  kNoSuchMember = 438,
  kWrongArgumentCount = 450,
};

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& description);
  int number() const { return number_; }

 private:
  int number_;
};

}  // namespace melodex
