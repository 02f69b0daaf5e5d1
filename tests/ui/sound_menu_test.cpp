// The Sound menu and the start-up of the sound, each on its own: a control on
// the recording output, settings in a scratch file.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "melodex/member_ids.h"
#include "melodex/midi_control.h"
#include "melodex/qt_host.h"
#include "melodex/sound_output.h"
#include "player/export/sound_choice.h"
#include "player/play/virtual_time_host.h"
#include "player/app/menu_bar.h"
#include "player/app/sound_menu.h"
#include "player/app/sound_startup.h"
#include "ui_test_support.h"

namespace corvale::test {
namespace {

const std::filesystem::path kTimGM6mb = "/usr/share/sounds/sf2/TimGM6mb.sf2";

melodex::MidiDeviceCaps port(const std::string& name) { return {name, 1}; }

class SoundPieces : public ::testing::Test {
 protected:
  void SetUp() override { recordingPlatform().setDevices({port("Keyboard"), port("Synth server")}); }
  void TearDown() override {
    recordingPlatform().setDevices({});
    melodex::routeDefaultOutput("");
  }

  std::int32_t currentDevice() {
    return melodex::toInt32(midix.Invoke(melodex::member::CurrentDevice, melodex::InvokeKind::PropertyGet, {}));
  }

  // The menu as the bar shows it, its entries straight under its title.
  QMenu& shownOnBar(SoundMenu& sound) {
    buildMenuBar(bar, {sound.section()});
    EXPECT_EQ(bar.actions().size(), 1);
    return *bar.actions().front()->menu();
  }

  QAction* entry(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
      if (action->text() == text) return action;
    }
    ADD_FAILURE() << "no entry " << text.toStdString();
    return nullptr;
  }

  QTemporaryDir folder;
  QSettings settings{folder.filePath("corvale.conf"), QSettings::IniFormat};
  melodex::VirtualClock clock;
  VirtualTimeHost host{clock};
  melodex::MidiControl midix{host};
  QMenuBar bar;
  std::vector<std::string> messages;
  ShowMessage showMessage = [this](const std::string& message) { messages.push_back(message); };
};

TEST_F(SoundPieces, OutputsAreListedAsTheyAreWhenTheMenuOpensAndTheChoiceIsKept) {
  SoundMenu sound(midix, settings, showMessage);
  QMenu& menu = shownOnBar(sound);
  const QString builtIn = menu.actions().front()->text();
  EXPECT_TRUE(builtIn.startsWith("Built-in synthesiser (")) << builtIn.toStdString();
  EXPECT_EQ(menuEntries(menu), (QStringList{builtIn + "*", "Keyboard", "Synth server", "-", "Choose SoundFont\u2026"}));

  entry(menu, "Synth server")->trigger();
  EXPECT_EQ(melodex::defaultOutputRoute(), "Synth server");
  EXPECT_EQ(currentDevice(), 2);
  EXPECT_EQ(readSoundChoice(settings).outputPort, "Synth server");

  // The keyboard is unplugged and another port comes: seen at the next opening.
  recordingPlatform().setDevices({port("Synth server"), port("Organ")});
  emit menu.aboutToShow();
  EXPECT_EQ(menuEntries(menu), (QStringList{builtIn, "Synth server*", "Organ", "-", "Choose SoundFont\u2026"}));

  entry(menu, builtIn)->trigger();
  EXPECT_EQ(melodex::defaultOutputRoute(), "");
  EXPECT_EQ(currentDevice(), 0);
  EXPECT_EQ(readSoundChoice(settings).outputPort, "");
  EXPECT_TRUE(messages.empty());
}

TEST_F(SoundPieces, ASoundFontThatDoesNotLoadIsReportedAndTheOneBeforeKeptTillAGoodOneIsSaid) {
  if (!std::filesystem::exists(kTimGM6mb)) GTEST_SKIP() << "TimGM6mb is not installed";
  const QString notASoundFont = folder.filePath("tune.sf2");
  std::ofstream(notASoundFont.toStdString()) << "X:1\n";
  const QString copy = folder.filePath("copy.sf2");
  std::filesystem::copy_file(kTimGM6mb, copy.toStdString());
  QString answer;
  SoundMenu sound(midix, settings, showMessage, nullptr, [&](QWidget*) { return answer; });
  QMenu& menu = shownOnBar(sound);

  for (const QString& bad : {notASoundFont, folder.filePath("missing.sf3")}) {
    answer = bad;
    entry(menu, "Choose SoundFont\u2026")->trigger();
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(messages.back().find(bad.toStdString()), std::string::npos) << messages.back();
    EXPECT_NE(messages.back().find("the one before stays"), std::string::npos) << messages.back();
    EXPECT_EQ(readSoundChoice(settings).soundFont, "");
  }
  answer = copy;
  entry(menu, "Choose SoundFont\u2026")->trigger();
  // The good one's word takes the place of the last refusal.
  EXPECT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages.back(), "The built-in synthesiser now plays with the SoundFont copy.sf2.");
  EXPECT_EQ(readSoundChoice(settings).soundFont, copy.toStdString());
  emit menu.aboutToShow();
  EXPECT_EQ(menu.actions().front()->text(), "Built-in synthesiser (copy)");
}

TEST_F(SoundPieces, StartUpRoutesToTheKeptOutputOrSaysItHasGone) {
  melodex::MemoryPropertyStore store;
  const melodex::SteadyClock steady;
  melodex::QtHost qtHost(nullptr, store, steady);
  struct Case {
    std::string keptPort;
    std::string route;
    std::int32_t device;
    bool told;
  };
  for (const Case& c : {Case{"Synth server", "Synth server", 2, false}, Case{"Gone", "", 0, true}, Case{"", "", 0, false}}) {
    messages.clear();
    melodex::routeDefaultOutput("");
    setCurrentDevice(midix, 0);  // a new run's control
    keepOutputPort(settings, c.keptPort);
    startSound(settings, qtHost, &midix, showMessage);
    EXPECT_EQ(melodex::defaultOutputRoute(), c.route) << c.keptPort;
    EXPECT_EQ(currentDevice(), c.device) << c.keptPort;
    EXPECT_EQ(messages.size(), c.told ? 1u : 0u) << c.keptPort;
    // The choice of a port that has gone stays kept for when it comes back.
    EXPECT_EQ(readSoundChoice(settings).outputPort, c.keptPort);
  }
  // Notices of the control reach the message area.
  messages.clear();
  qtHost.showNotice("Loading the sound\u2026");
  EXPECT_EQ(messages, std::vector<std::string>{"Loading the sound\u2026"});
}

}  // namespace
}  // namespace corvale::test
