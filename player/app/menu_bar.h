#pragma once

#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace corvale {

// One line of a menu: an action, a submenu, or (neither) a separator.
struct MenuItem {
  QAction* action = nullptr;
  QMenu* submenu = nullptr;
};

// A menu of the bar: its title (with its "&" key) and its lines. A menu whose
// lines change while the program runs (outputs that come and go) gives
// `currentItems` instead, asked for its lines as the bar is built and again
// each time the menu opens.
struct MenuSection {
  QString title;
  std::vector<MenuItem> items;
  std::function<std::vector<MenuItem>()> currentItems = {};
};

// Everything the menu bar shows. The core actions are always there; the
// lists after them are where further features hook in, and stay empty until
// a feature fills them:
// - fileExtras: shown in the File menu between Open Recent and Quit (for
//   example "Export as MIDI File…" and "Export as WAV…");
// - playExtras: shown in the Play menu after its own entries, nullptr for a
//   separator (for example "Find Tune…" and the set's entries);
// - menusAfterPlay: whole menus placed after Play, in order, before Help
//   (for example a checkable "Reading" menu, then a "Sound" menu).
struct MenuBarContents {
  QAction* openTuneFile = nullptr;
  QMenu* openRecent = nullptr;
  std::vector<QAction*> fileExtras;
  QAction* quit = nullptr;

  QAction* startStop = nullptr;
  QAction* faster = nullptr;
  QAction* slower = nullptr;
  QAction* switchInstrument = nullptr;
  std::vector<QAction*> playExtras;

  std::vector<MenuSection> menusAfterPlay;

  QAction* keyboardShortcuts = nullptr;
  QAction* whatItReads = nullptr;
  QAction* aboutCorvale = nullptr;
  QAction* aboutMelodex = nullptr;
};

// The menus in the order the bar shows them: File, Play, the added menus, Help.
std::vector<MenuSection> menuLayout(const MenuBarContents& contents);

// Fills `bar` with `menus`, the one place where menus are made.
void buildMenuBar(QMenuBar& bar, const std::vector<MenuSection>& menus);

}  // namespace corvale
