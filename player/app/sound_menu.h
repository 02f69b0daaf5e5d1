#pragma once

#include <QObject>
#include <QSettings>
#include <QString>
#include <functional>
#include <vector>

#include "melodex/dispatch.h"
#include "player/app/menu_bar.h"
#include "player/app/output_ports.h"

class QAction;
class QActionGroup;
class QWidget;

namespace corvale {

// The Sound menu: where the tune is heard and with which SoundFont. It lists
// "Built-in synthesiser (SoundFont)" and every MIDI output the control names,
// made afresh each time the menu opens, the one in use ticked. Choosing an
// output routes the default output there, sets the control's CurrentDevice and
// keeps the choice in `settings`; the next play opens it. "Choose SoundFont…"
// loads another SoundFont into the built-in synthesiser and says so; one that
// does not load is reported and the one before kept.
class SoundMenu : public QObject {
 public:
  // Asks for a SoundFont file; an empty name when the musician cancels.
  using AskSoundFont = std::function<QString(QWidget* parent)>;

  SoundMenu(melodex::Dispatch& midix, QSettings& settings, ShowMessage showMessage, QWidget* window = nullptr,
            AskSoundFont askSoundFont = askSoundFontFile);

  // The bar's "Sound" menu, its lines asked for each time it opens.
  MenuSection section();
  // The lines for the outputs present now; the entries of the last call go.
  std::vector<MenuItem> entries();

  static QString askSoundFontFile(QWidget* parent);

 private:
  void chooseOutput(const OutputPort& port);
  void chooseSoundFont();

  melodex::Dispatch& midix_;
  QSettings& settings_;
  ShowMessage showMessage_;
  QWidget* window_;
  AskSoundFont askSoundFont_;
  QActionGroup* outputs_ = nullptr;  // the output entries of one opening, one ticked
  QAction* chooseSoundFont_;
};

}  // namespace corvale
