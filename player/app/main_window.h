#pragma once

#include <QMainWindow>
#include <QSettings>
#include <QString>
#include <memory>

#include "player/window/host_factory.h"
#include "player/app/export_actions.h"
#include "player/app/library_actions.h"
#include "player/app/menu_bar.h"
#include "player/app/player_actions.h"
#include "player/app/practice_menu.h"
#include "player/app/reading_menu.h"
#include "player/app/recent_files.h"
#include "player/settings/user_settings.h"

class QMenu;

namespace corvale {

class FocusFrame;
class Form1;
class SoundMenu;

// The program's window: the menu bar above Form1, whose client area, controls
// and handlers are as they always were. It opens tune files at any time
// (menu, recent files, a file dropped on it, the command line) and ends the
// run cleanly however it is asked to.
class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(const HostFactory& makeHost = realTimeHostFactory(), QWidget* parent = nullptr);

  Form1& form() const { return *form_; }
  const PlayerActions& actions() const { return actions_; }
  QMenu* recentMenu() const { return recentMenu_; }
  const ReadingMenu& readingMenu() const { return *readingMenu_; }
  PracticeMenu& practiceMenu() const { return *practiceMenu_; }
  FocusFrame& focusFrame() const { return *focusFrame_; }
  LibraryActions& library() const { return *library_; }
  ExportActions& exportActions() const { return *exportActions_; }

  // Opens the tune file, remembered among the recent files; the player loop
  // reads it from the window's event loop, so callers return at once.
  void openTuneFile(const QString& path);
  // A recent file that is gone is said so and dropped from the list.
  void openRecentFile(const QString& path);
  // The File menu's dialog, shown without a nested event loop so that a tune
  // plays on meanwhile and the program can still end.
  void chooseTuneFile();
  // Ends the run from outside (a signal): closes any open menu or dialog, then the window.
  void closeEverything();

  // The menus shown; the builder's contents, for features that add menus.
  MenuBarContents menuBarContents() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void updateAboutMelodex();
  void fillRecentMenu();
  void refreshRecentMenu();
  void remember(const QString& path);
  ExportRequest exportRequest() const;

  Form1* form_;
  FocusFrame* focusFrame_;
  PlayerActions actions_;
  QMenu* recentMenu_;
  ReadingMenu* readingMenu_;
  PracticeMenu* practiceMenu_;
  std::unique_ptr<QSettings> settings_ = openUserSettings();
  SoundMenu* soundMenu_;
  // Holds the export entries that the File menu shows.
  QMenu* exportEntries_;
  ExportActions* exportActions_;
  RecentFiles recentFiles_;
  LibraryActions* library_;
};

}  // namespace corvale
