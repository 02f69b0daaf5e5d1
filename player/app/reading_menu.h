#pragma once

#include <QObject>

#include "abc/tune_reading.h"
#include "player/app/menu_bar.h"

class QAction;
class QActionGroup;

namespace corvale {

class Form1;

// The "Reading" menu: how tune files are read, "Classic" or "Standard ABC",
// one of them checked, and "Play Ornaments", whether the standard reading plays
// rolls, trills, mordents and turns out. The choices go to the window at once
// and are kept in the user's settings (organisation and application "corvale"),
// so the next run starts with them; a fresh user starts with the classic
// reading and the ornaments not played.
class ReadingMenu : public QObject {
 public:
  ReadingMenu(Form1& form, QObject* parent);

  QAction* classic() const { return classic_; }
  QAction* standard() const { return standard_; }
  QAction* playOrnaments() const { return ornaments_; }
  MenuSection section() const;

  // The reading kept in the user's settings; classic when none is kept.
  static Reading storedReading();
  static bool storedPlayOrnaments();

 private:
  void choose(Reading reading);

  Form1& form_;
  QActionGroup* group_;
  QAction* classic_;
  QAction* standard_;
  QAction* ornaments_;
};

}  // namespace corvale
