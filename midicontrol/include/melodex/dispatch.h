#pragma once

#include <cstdint>
#include <span>

#include "melodex/variant.h"

namespace melodex {

enum class InvokeKind { Method, PropertyGet, PropertyPut };

// Late-bound access to a control: every method and property is reached by its
// member identifier. Arguments are passed by reference, in declaration order;
// an omitted optional argument is an empty Variant or is left off the end.
// A property put takes the new value as its only argument. Misuse raises
// RuntimeError (unknown member 438, wrong argument count 450, and the errors
// of each member).
class Dispatch {
 public:
  virtual ~Dispatch() = default;
  virtual Variant Invoke(std::int32_t memberId, InvokeKind kind, std::span<Variant> args) = 0;
};

}  // namespace melodex
