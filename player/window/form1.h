#pragma once

#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "melodex/control.h"
#include "melodex/property_store.h"
#include "melodex/qt_host.h"
#include "player/window/fingerboard.h"
#include "player/window/heard_boxes.h"
#include "player/window/host_factory.h"
#include "player/window/tune_list.h"
#include "player/loop/player_loop_view.h"

namespace corvale {

class ColourButton;
class DisplayBox;
class DriveList;
class FileList;
class FolderList;
class MessageArea;
class PictureBox;
class TuneLineMarks;

// The tune player's only window: the file browser, the tune list, the
// buttons and sliders, the fingerboard, the status row and the MIDI control
// Midix. Its handlers are short and talk to the player loop only through the
// state of the controls, above all the start button's caption.
class Form1 : public QWidget, public PlayerLoopView {
 public:
  explicit Form1(const HostFactory& makeHost = realTimeHostFactory(), QWidget* parent = nullptr);
  ~Form1() override;

  // Handlers, public so that tests drive them as a click would.
  void Drive1_Change(const QString& folder);
  void Dir1_Change(const QString& folder);
  // Prepares the window and runs the player loop, which returns only when the window closes.
  void File1_Click(const QString& fileName);
  // Opens the tune file at `path` at any time: before the first file as a
  // click in the file list does; while the loop waits, the loop reads it next;
  // while a tune plays, the play stops after the sounding note first.
  void openTuneFile(const QString& path);
  // Plays `set` at any time: before the first file the loop starts with the set's
  // first file; while a tune plays, the set follows once its sounding note has ended.
  void playSet(const TuneSet& set);
  // Told the full path of every tune file opened, in whichever way.
  void setTuneFileOpened(std::function<void(const QString& path)> listener) { tuneFileOpened_ = std::move(listener); }
  void Command1_Click();
  void Command2_Click();
  void HScroll1_Change(int value);
  void HScroll2_Change(int value);

  // The controls, named as the player's design names them.
  ColourButton* Command1() const { return command1_; }
  ColourButton* Command2() const { return command2_; }
  DriveList* Drive1() const { return drive1_; }
  FolderList* Dir1() const { return dir1_; }
  FileList* File1() const { return file1_; }
  DisplayBox* Text2() const { return text2_; }
  TuneList* List1() const { return list1_; }
  QListWidget* List2() const { return list2_; }
  QLabel* Label7() const { return label7_; }
  QScrollBar* HScroll2() const { return hscroll2_; }
  DisplayBox* Text6() const { return text6_; }
  QLabel* Label6() const { return label6_; }
  QScrollBar* HScroll1() const { return hscroll1_; }
  DisplayBox* Text3() const { return text3_; }
  QLabel* Label3() const { return label3_; }
  QLabel* Label1() const { return label1_; }
  QLabel* Label4() const { return label4_; }
  QLabel* Label5() const { return label5_; }
  QLabel* Label2() const { return label2_; }
  PictureBox* Picture1() const { return picture1_; }
  MessageArea* messageArea() const { return messageArea_; }
  Fingerboard& fingerboard() { return fingerboard_; }
  melodex::Control* Midix() const { return midix_.get(); }
  melodex::QtHost& host() const { return *host_; }

  const QString& tunePath() const { return tunePath_; }
  std::uint64_t chosenTune() const { return chosenTune_; }

  // PlayerView
  int tempoValue() const override;
  int replaysValue() const override;
  std::string runCaption() const override;
  void setIdle() override;
  std::string instrumentCaption() const override;
  void setInstrumentCaption(const std::string& caption) override;
  void setFretsVisible(bool visible) override;
  void showBox(int box) override;
  void hideBox(int box) override;
  void hideAllBoxes() override;
  void listTuneLines(const std::vector<std::string>& lines) override;
  void clearTuneLines() override;
  void showKeyText(const std::string& keyText) override;
  void processPendingEvents() override;
  void showWindow() override;
  bool closing() const override { return closing_; }
  void reportSoundUnavailable(int result, const std::string& reason) override;
  PracticeDesk* practiceDesk() override { return practiceDesk_; }
  void setPaused(bool paused) override;
  void showPlayedTempo(double tempo) override;
  void setTempoValue(int tempo) override;
  void markTuneLine(std::size_t line, std::size_t column, std::size_t width) override;
  void clearTuneLineMarks() override;

  // The program's practice choices, which every play then reads; none at first.
  void setPracticeDesk(PracticeDesk* desk) { practiceDesk_ = desk; }

  // PlayerLoopView
  void prepareFingerboard() override;
  void listTunes(TuneTitles titles) override;
  int selectedTuneRow() const override;
  std::string selectedTuneTitle() const override;
  void selectTuneRow(int row) override;
  void showChosenTune(const std::string& title, std::uint64_t chosenTune) override;
  void showMessage(const std::string& message) override;
  void clearMessage() override;
  void waitForWindowEvents() override;
  std::optional<std::filesystem::path> takeRequestedFile() override;
  std::optional<TuneSet> takeRequestedSet() override;
  Reading reading() const override { return reading_; }

  // The reading for tune files: taken while waiting at once (the tune list is
  // made anew), while a tune plays once it is over.
  void setReading(Reading reading) { reading_ = reading; }
  ReadingOptions readingOptions() const override { return {playOrnaments_}; }
  // Whether the standard reading plays ornaments out: from the next Start on.
  void setPlayOrnaments(bool on) { playOrnaments_ = on; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createMidix(const HostFactory& makeHost);
  void setRunning(bool running);
  // `path` is shown and kept; `bytes` is the same path as the file system names it.
  void startPlayerLoop(const QString& path, const std::filesystem::path& bytes);
  void showTunePath(const QString& path);

  ColourButton* command1_;
  ColourButton* command2_;
  DriveList* drive1_;
  FolderList* dir1_;
  FileList* file1_;
  DisplayBox* text2_;
  TuneList* list1_;
  QListWidget* list2_;
  QLabel* label7_;
  QScrollBar* hscroll2_;
  DisplayBox* text6_;
  QLabel* label6_;
  QScrollBar* hscroll1_;
  DisplayBox* text3_;
  QLabel* label3_;
  QLabel* label1_;
  QLabel* label4_;
  QLabel* label5_;
  QLabel* label2_;
  PictureBox* picture1_;
  MessageArea* messageArea_;
  TuneLineMarks* tuneLineMarks_;
  Fingerboard fingerboard_;
  HeardBoxes heardBoxes_;

  melodex::MemoryPropertyStore propertyStore_;
  std::unique_ptr<melodex::QtHost> host_;
  std::unique_ptr<melodex::Control> midix_;

  QString tunePath_;
  QString requestedFile_;
  std::optional<TuneSet> requestedSet_;
  Reading reading_ = Reading::Classic;
  bool playOrnaments_ = false;
  std::function<void(const QString&)> tuneFileOpened_;
  std::uint64_t chosenTune_ = 0;
  bool closing_ = false;
  PracticeDesk* practiceDesk_ = nullptr;
};

}  // namespace corvale
