#pragma once

class QAction;
class QWidget;

namespace corvale {

class Form1;

// The actions of the File, Play and Help menus, each with its shortcuts.
// The Play actions do exactly what their controls do.
struct PlayerActions {
  QAction* openTuneFile;
  QAction* quit;
  QAction* startStop;
  QAction* faster;
  QAction* slower;
  QAction* switchInstrument;
  QAction* keyboardShortcuts;
  QAction* whatItReads;
  QAction* aboutMelodex;
};

// Makes the actions, owned by `window`, whose shortcuts they serve. Opening a
// file is left to the caller to connect; Quit closes `window`.
PlayerActions makePlayerActions(Form1& form, QWidget& window);

}  // namespace corvale
