#pragma once

#include <QActionGroup>
#include <QMenu>
#include <QSettings>
#include <QString>
#include <functional>

#include "melodex/dispatch.h"
#include "player/app/output_ports.h"

namespace corvale {

// The Sound menu: where the tune is heard and with which SoundFont. It lists
// "Built-in synthesiser (SoundFont)" and every MIDI output the control names,
// built afresh each time it opens, the one in use ticked. Choosing an output
// routes the default output there, sets the control's CurrentDevice and keeps
// the choice in `settings`; the next play opens it. "Choose SoundFont…"
// loads another SoundFont into the built-in synthesiser; one that does not
// load is reported and the one before kept.
class SoundMenu : public QMenu {
 public:
  // Asks for a SoundFont file; an empty name when the musician cancels.
  using AskSoundFont = std::function<QString(QWidget* parent)>;

  SoundMenu(melodex::Dispatch& midix, QSettings& settings, ShowMessage showMessage, QWidget* parent = nullptr,
            AskSoundFont askSoundFont = askSoundFontFile);

  // Builds the entries from the outputs present now.
  void refresh();

  static QString askSoundFontFile(QWidget* parent);

 private:
  void chooseOutput(const OutputPort& port);
  void chooseSoundFont();

  melodex::Dispatch& midix_;
  QSettings& settings_;
  ShowMessage showMessage_;
  AskSoundFont askSoundFont_;
  QActionGroup* outputs_ = nullptr;  // the entries of one opening, one ticked
};

}  // namespace corvale
