#pragma once

#include "melodex/dispatch.h"

class QWidget;

namespace melodex {

// A control as its host sees it: the dispatch interface plus the lifecycle
// events a host calls. Destroying the control is its destruction event.
class Control : public Dispatch {
 public:
  // First placement: the host has no saved values.
  virtual void InitProperties() = 0;
  // Loading from, and saving to, the host's property store.
  virtual void ReadProperties() = 0;
  virtual void WriteProperties() = 0;
  // The host resized the control; the control may snap to its own size.
  virtual void Resize(int widthTwips, int heightTwips) = 0;
  virtual int widthTwips() const = 0;
  virtual int heightTwips() const = 0;
  // The control's face, a child of the host's window; nullptr when the host
  // has no window.
  virtual QWidget* face() = 0;
};

}  // namespace melodex
