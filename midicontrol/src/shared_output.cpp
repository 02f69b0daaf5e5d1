#include "shared_output.h"

namespace melodex {

SharedOutput& sharedOutput() {
  static SharedOutput output;
  return output;
}

}  // namespace melodex
