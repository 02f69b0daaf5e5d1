#include "melodex/runtime_error.h"

namespace melodex {

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

}  // namespace melodex
