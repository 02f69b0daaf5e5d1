#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <vector>

#include "player/app/menu_bar.h"
#include "player/app/output_ports.h"
#include "practice/practice_desk.h"

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace corvale {

class Form1;

// The Practice menu and the musician's practice choices behind it, which every
// play reads: Loop (Whole Tune, the chosen tune's parts, Bars…, Off), Start From
// Bar…, Start From the Beginning, Pause / Go On, Count In (and Each Pass),
// Metronome, Speed Up Each Pass…, Tempo from the Tune, Follow in the Tune Lines;
// and the Play menu's Switch Instrument at Each Start. The entries that need bars
// or parts are greyed, with the reason as their tip, while the chosen tune has
// none (the classic reading knows none). Every choice is kept in the user's
// settings but the loop and the start bar, which belong to one tune.
class PracticeMenu : public QObject, public PracticeDesk {
 public:
  PracticeMenu(Form1& form, QWidget& window, ShowMessage showMessage);

  MenuSection section() const;
  QAction* switchInstrumentAtEachStart() const { return switchAtStart_; }

  // PracticeDesk
  PracticePlan plan() const override;
  bool switchInstrumentAtStart() const override;
  bool takeRestart() override;
  void report(const std::string& text) override;
  void tuneChosen(const TuneOutline& outline) override;

  // A double-click on line `line` (from 0) of the tune's lines during a play: the
  // play starts again from the first bar written on it.
  void startAgainFromLine(int line);
  // Brings every entry's check, text and greying up to date (a menu about to show).
  void refresh();

  // The entries, for the keyboard and the tests.
  QMenu* loopMenu() const { return loopMenu_; }
  QAction* loopWholeTune() const { return wholeTune_; }
  const std::vector<QAction*>& loopParts() const { return parts_; }
  QAction* loopBars() const { return bars_; }
  QAction* loopOff() const { return off_; }
  QAction* startFromBar() const { return startFrom_; }
  QAction* startFromBeginning() const { return startFromBeginning_; }
  QAction* pause() const { return pause_; }
  QAction* countIn() const { return countIn_; }
  QAction* countInEachPass() const { return countInEachPass_; }
  QAction* metronome() const { return metronome_; }
  QAction* speedUp() const { return speedUp_; }
  QAction* tempoFromTune() const { return tempoFromTune_; }
  QAction* follow() const { return follow_; }

 private:
  QAction* makeAction(const QString& text, const QString& tip, const QKeySequence& key, bool checkable);
  QAction* makeChoice(const QString& text, const QString& key, bool atFirst);
  void fillParts();
  void chooseBars();
  void chooseStartBar();
  void chooseSpeedUp(bool on);
  void togglePause();
  QString needsBarsTip() const;

  Form1& form_;
  QWidget& window_;
  ShowMessage showMessage_;
  TuneOutline outline_;
  PracticePlan::Loop loop_ = PracticePlan::Loop::Off;
  char part_ = 0;
  BarRange loopBars_{1, 1};
  std::optional<std::uint32_t> startBar_;
  SpeedUp speedUpValues_;
  bool restart_ = false;

  QMenu* loopMenu_;
  QActionGroup* loopGroup_;
  QAction* wholeTune_;
  QAction* partsSeparator_;
  std::vector<QAction*> parts_;
  QAction* noParts_;
  QAction* bars_;
  QAction* off_;
  QAction* startFrom_;
  QAction* startFromBeginning_;
  QAction* pause_;
  QAction* countIn_;
  QAction* countInEachPass_;
  QAction* metronome_;
  QAction* speedUp_;
  QAction* tempoFromTune_;
  QAction* follow_;
  QAction* switchAtStart_;
};

}  // namespace corvale
