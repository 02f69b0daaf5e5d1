#pragma once

#include <QObject>

#include "abc/tune_reading.h"
#include "player/app/menu_bar.h"

class QAction;
class QActionGroup;

namespace corvale {

class Form1;

// The "Reading" menu: how tune files are read, "Classic" or "Standard ABC",
// one of them checked. The choice goes to the window at once and is kept in
// the user's settings (organisation and application "corvale"), so the next
// run starts with it; a fresh user starts with the classic reading.
class ReadingMenu : public QObject {
 public:
  ReadingMenu(Form1& form, QObject* parent);

  QAction* classic() const { return classic_; }
  QAction* standard() const { return standard_; }
  MenuSection section() const;

  // The reading kept in the user's settings; classic when none is kept.
  static Reading storedReading();

 private:
  void choose(Reading reading);

  Form1& form_;
  QActionGroup* group_;
  QAction* classic_;
  QAction* standard_;
};

}  // namespace corvale
