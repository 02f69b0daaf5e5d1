#pragma once

#include <QObject>
#include <QSettings>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

class QAction;
class QWidget;

namespace corvale {

class FindTuneDialog;
class Form1;
class LibraryIndexer;
class LibraryWindow;
class SetWindow;

// The entries for finding tunes and playing sets, and the windows behind them:
// File ▸ Music Folder…; in the Play menu Find Tune… (Ctrl+F), Find Next (F3),
// Find Previous (Shift+F3), Find in Music Folder… (Ctrl+Shift+F), Add to Set
// (Ctrl+D), Set… and Play Set; Help ▸ About corvale. The kept music folder is
// indexed again in the background when the program starts.
class LibraryActions : public QObject {
 public:
  using OpenTuneFile = std::function<void(const QString& path)>;

  LibraryActions(Form1& form, QSettings& settings, QWidget& window, OpenTuneFile openTuneFile,
                 std::filesystem::path indexFile);

  QAction* musicFolder;
  QAction* findTune;
  QAction* findNext;
  QAction* findPrevious;
  QAction* findInMusicFolder;
  QAction* addToSet;
  QAction* showSet;
  QAction* playSet;
  QAction* aboutCorvale;

  // The Play menu's entries, with "nullptr" for a separator.
  std::vector<QAction*> playEntries() const;

  FindTuneDialog& findDialog() const { return *findDialog_; }
  LibraryWindow& libraryWindow() const { return *libraryWindow_; }
  SetWindow& setWindow() const { return *setWindow_; }
  LibraryIndexer& indexer() const { return *indexer_; }

  // Opens `file` (unless the window has it open already) and selects `tune` in the tune list.
  void openTune(const std::filesystem::path& file, std::uint64_t tune);
  // Adds the tune selected in the tune list to the set, played REPLAYS + 1 times.
  void addSelectedTune();

 private:
  void chooseMusicFolder();
  void selectInTuneList(std::uint64_t tune);

  Form1& form_;
  QSettings& settings_;
  QWidget& window_;
  OpenTuneFile openTuneFile_;
  LibraryIndexer* indexer_;
  FindTuneDialog* findDialog_;
  LibraryWindow* libraryWindow_;
  SetWindow* setWindow_;
  QMetaObject::Connection pendingSelection_;
};

}  // namespace corvale
