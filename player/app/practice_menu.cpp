#include "player/app/practice_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <utility>

#include "player/app/practice_dialogs.h"
#include "player/settings/user_settings.h"
#include "player/window/form1.h"

namespace corvale {
namespace {

const QString kSwitchAtStartKey = QStringLiteral("play/switchInstrumentAtEachStart");
const QString kSpeedUpKey = QStringLiteral("practice/speedUp");
const QString kSpeedUpStartKey = QStringLiteral("practice/speedUpStart");
const QString kSpeedUpStepKey = QStringLiteral("practice/speedUpStep");
const QString kSpeedUpTopKey = QStringLiteral("practice/speedUpTop");


QString barsText(const BarRange& bars) {
  return bars.first == bars.last ? QStringLiteral("bar %1").arg(bars.first)
                                 : QStringLiteral("bars %1\u2013%2").arg(bars.first).arg(bars.last);
}

}  // namespace

PracticeMenu::PracticeMenu(Form1& form, QWidget& window, ShowMessage showMessage)
    : QObject(&window), form_(form), window_(window), showMessage_(std::move(showMessage)) {
  loopMenu_ = new QMenu(QStringLiteral("&Loop"), &window);
  loopMenu_->setToolTipsVisible(true);
  loopGroup_ = new QActionGroup(this);
  loopGroup_->setExclusive(true);
  wholeTune_ = makeAction(QStringLiteral("&Whole Tune"), QStringLiteral("Play the whole tune again and again until Stop"),
                          QKeySequence(Qt::CTRL | Qt::Key_L), true);
  noParts_ = new QAction(QStringLiteral("Parts of the Tune"), this);
  noParts_->setEnabled(false);
  bars_ = makeAction(QStringLiteral("&Bars…"), QStringLiteral("Play a few bars again and again until Stop"),
                     QKeySequence(Qt::CTRL | Qt::Key_B), true);
  off_ = makeAction(QStringLiteral("&Off"), QStringLiteral("Play the tune as REPLAYS says"),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), true);
  for (QAction* action : {wholeTune_, bars_, off_}) loopGroup_->addAction(action);
  off_->setChecked(true);
  loopMenu_->addAction(wholeTune_);
  partsSeparator_ = loopMenu_->addSeparator();
  loopMenu_->addAction(noParts_);
  loopMenu_->addSeparator();
  loopMenu_->addAction(bars_);
  loopMenu_->addSeparator();
  loopMenu_->addAction(off_);

  startFrom_ = makeAction(QStringLiteral("Start From &Bar…"), QStringLiteral("The next Start and every loop pass begin at a bar"),
                          QKeySequence(Qt::CTRL | Qt::Key_G), false);
  startFromBeginning_ = makeAction(QStringLiteral("Start From the Be&ginning"), QStringLiteral("Start at the tune's first note"),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G), false);
  pause_ = makeAction(QStringLiteral("&Pause"), QStringLiteral("Hold the play after the sounding note, or go on"),
                      QKeySequence(Qt::CTRL | Qt::Key_P), false);
  pause_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_P), QKeySequence(Qt::Key_Pause)});
  countIn_ = makeChoice(QStringLiteral("&Count In"), QStringLiteral("practice/countIn"), false);
  countIn_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
  countInEachPass_ = makeChoice(QStringLiteral("Count In &Each Pass"), QStringLiteral("practice/countInEachPass"), false);
  metronome_ = makeChoice(QStringLiteral("&Metronome"), QStringLiteral("practice/metronome"), false);
  metronome_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  speedUp_ = makeAction(QStringLiteral("&Speed Up Each Pass…"), QStringLiteral("Start slow and play each pass faster"),
                        QKeySequence(Qt::CTRL | Qt::Key_U), true);
  tempoFromTune_ = makeChoice(QStringLiteral("&Tempo from the Tune"), QStringLiteral("practice/tempoFromTune"), false);
  tempoFromTune_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  follow_ = makeChoice(QStringLiteral("&Follow in the Tune Lines"), QStringLiteral("practice/follow"), false);
  follow_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  switchAtStart_ = makeChoice(QStringLiteral("Switch Instrument at Each Sta&rt"), kSwitchAtStartKey, true);

  const std::unique_ptr<QSettings> settings = openUserSettings();
  speedUp_->setChecked(settings->value(kSpeedUpKey, false).toBool());
  speedUpValues_ = {settings->value(kSpeedUpStartKey, 70).toInt(), settings->value(kSpeedUpStepKey, 5).toInt(),
                    settings->value(kSpeedUpTopKey, 100).toInt()};

  connect(wholeTune_, &QAction::triggered, this, [this] { loop_ = PracticePlan::Loop::WholeTune; });
  connect(off_, &QAction::triggered, this, [this] { loop_ = PracticePlan::Loop::Off; });
  connect(bars_, &QAction::triggered, this, &PracticeMenu::chooseBars);
  connect(startFrom_, &QAction::triggered, this, &PracticeMenu::chooseStartBar);
  connect(startFromBeginning_, &QAction::triggered, this, [this] {
    startBar_.reset();
    refresh();
  });
  connect(pause_, &QAction::triggered, this, &PracticeMenu::togglePause);
  connect(speedUp_, &QAction::triggered, this, &PracticeMenu::chooseSpeedUp);
  connect(countIn_, &QAction::toggled, this, &PracticeMenu::refresh);
  refresh();
}

QAction* PracticeMenu::makeAction(const QString& text, const QString& tip, const QKeySequence& key, bool checkable) {
  auto* action = new QAction(text, this);
  action->setStatusTip(tip);
  action->setShortcut(key);
  action->setCheckable(checkable);
  // Shortcuts work from every control of the window, the menus closed.
  window_.addAction(action);
  return action;
}

QAction* PracticeMenu::makeChoice(const QString& text, const QString& key, bool atFirst) {
  QAction* action = makeAction(text, QString(), QKeySequence(), true);
  action->setChecked(openUserSettings()->value(key, atFirst).toBool());
  connect(action, &QAction::toggled, this, [key](bool checked) { openUserSettings()->setValue(key, checked); });
  return action;
}

MenuSection PracticeMenu::section() const {
  return {QStringLiteral("Pr&actice"),
          {{nullptr, loopMenu_}, {startFrom_}, {startFromBeginning_}, {}, {pause_}, {}, {countIn_},
           {countInEachPass_}, {metronome_}, {}, {speedUp_}, {tempoFromTune_}, {follow_}}};
}

PracticePlan PracticeMenu::plan() const {
  PracticePlan plan;
  plan.loop = loop_;
  plan.part = part_;
  plan.bars = loopBars_;
  plan.startBar = startBar_;
  plan.countIn = countIn_->isChecked();
  plan.countInEachPass = plan.countIn && countInEachPass_->isChecked();
  plan.metronome = metronome_->isChecked();
  if (speedUp_->isChecked()) plan.speedUp = speedUpValues_;
  plan.tempoFromTune = tempoFromTune_->isChecked();
  plan.follow = follow_->isChecked();
  return plan;
}

bool PracticeMenu::switchInstrumentAtStart() const { return switchAtStart_->isChecked(); }

bool PracticeMenu::takeRestart() { return std::exchange(restart_, false); }

void PracticeMenu::report(const std::string& text) {
  if (!text.empty()) showMessage_(text);
}

void PracticeMenu::tuneChosen(const TuneOutline& outline) {
  // The loop and the start bar belong to the tune they were chosen for.
  outline_ = outline;
  loop_ = PracticePlan::Loop::Off;
  startBar_.reset();
  fillParts();
  refresh();
}

void PracticeMenu::startAgainFromLine(int line) {
  if (form_.runCaption() == kStartCaption || line < 0 || static_cast<std::size_t>(line) >= outline_.firstBarOfLine.size()) {
    return;
  }
  const std::optional<std::uint32_t> bar = outline_.firstBarOfLine[static_cast<std::size_t>(line)];
  if (!bar) {
    showMessage_("That line holds no music to start from.");
    return;
  }
  startBar_ = *bar;
  restart_ = true;
  refresh();
}

void PracticeMenu::fillParts() {
  for (QAction* part : parts_) {
    loopGroup_->removeAction(part);
    loopMenu_->removeAction(part);
    part->deleteLater();
  }
  parts_.clear();
  for (char label : outline_.parts) {
    auto* part = new QAction(QStringLiteral("Part &%1").arg(QChar(label)), this);
    part->setCheckable(true);
    part->setStatusTip(QStringLiteral("Play part %1 again and again until Stop").arg(QChar(label)));
    loopGroup_->addAction(part);
    loopMenu_->insertAction(noParts_, part);
    connect(part, &QAction::triggered, this, [this, label] {
      loop_ = PracticePlan::Loop::Part;
      part_ = label;
    });
    parts_.push_back(part);
  }
  noParts_->setVisible(parts_.empty());
}

QString PracticeMenu::needsBarsTip() const {
  if (form_.reading() == Reading::Classic) {
    return QStringLiteral("Needs the standard reading (Reading \u25b8 Standard ABC): the classic reading knows no bars or parts");
  }
  return outline_.tune == 0 ? QStringLiteral("Choose a tune first") : QStringLiteral("This tune has no bars to choose from");
}

void PracticeMenu::refresh() {
  const bool barsKnown = outline_.bars.has_value();
  const QString tip = barsKnown ? QString() : needsBarsTip();
  for (QAction* action : {bars_, startFrom_, noParts_}) {
    action->setEnabled(barsKnown && action != noParts_);
    action->setToolTip(tip);  // empty: the entry's own text
  }
  wholeTune_->setChecked(loop_ == PracticePlan::Loop::WholeTune);
  bars_->setChecked(loop_ == PracticePlan::Loop::Bars);
  bars_->setText(loop_ == PracticePlan::Loop::Bars ? QStringLiteral("&Bars… (%1)").arg(barsText(loopBars_))
                                                   : QStringLiteral("&Bars…"));
  for (std::size_t i = 0; i < parts_.size(); ++i) {
    parts_[i]->setChecked(loop_ == PracticePlan::Loop::Part && outline_.parts[i] == part_);
  }
  off_->setChecked(loop_ == PracticePlan::Loop::Off);
  startFrom_->setText(startBar_ ? QStringLiteral("Start From &Bar… (bar %1)").arg(*startBar_)
                                : QStringLiteral("Start From &Bar…"));
  startFromBeginning_->setEnabled(startBar_.has_value());
  countInEachPass_->setEnabled(countIn_->isChecked());
  pause_->setText(form_.runCaption() == kPausedCaption ? QStringLiteral("&Go On") : QStringLiteral("&Pause"));
  speedUp_->setText(speedUp_->isChecked() ? QStringLiteral("&Speed Up Each Pass… (%1\u2192%2 % by %3 %)")
                                                .arg(speedUpValues_.startPercent)
                                                .arg(speedUpValues_.topPercent)
                                                .arg(speedUpValues_.stepPercent)
                                          : QStringLiteral("&Speed Up Each Pass…"));
}

void PracticeMenu::chooseBars() {
  refresh();  // the check stays where it was until the bars are given
  if (!outline_.bars) return;
  const BarRange span = *outline_.bars;
  const auto clampBar = [span](std::uint32_t bar) { return static_cast<int>(std::clamp(bar, span.first, span.last)); };
  askNumbers(window_, QStringLiteral("Loop Bars"),
             QStringLiteral("Play these bars again and again until Stop (a pickup is bar 0):"),
             {{QStringLiteral("From bar"), static_cast<int>(span.first), static_cast<int>(span.last), clampBar(loopBars_.first), {}},
              {QStringLiteral("To bar"), static_cast<int>(span.first), static_cast<int>(span.last), clampBar(loopBars_.last), {}}},
             [](const std::vector<int>& bars) {
               return bars[0] > bars[1] ? QStringLiteral("The first bar comes after the last.") : QString();
             },
             [this](const std::vector<int>& bars) {
               loop_ = PracticePlan::Loop::Bars;
               loopBars_ = {static_cast<std::uint32_t>(bars[0]), static_cast<std::uint32_t>(bars[1])};
               refresh();
             });
}

void PracticeMenu::chooseStartBar() {
  if (!outline_.bars) return;
  const BarRange span = *outline_.bars;
  const int current = static_cast<int>(std::clamp(startBar_.value_or(span.first), span.first, span.last));
  askNumbers(window_, QStringLiteral("Start From Bar"),
             QStringLiteral("The next Start, and every loop pass, begins at this bar:"),
             {{QStringLiteral("Bar"), static_cast<int>(span.first), static_cast<int>(span.last), current, {}}}, {},
             [this](const std::vector<int>& bar) {
               startBar_ = static_cast<std::uint32_t>(bar[0]);
               refresh();
             });
}

void PracticeMenu::chooseSpeedUp(bool on) {
  if (!on) {
    openUserSettings()->setValue(kSpeedUpKey, false);
    refresh();
    return;
  }
  speedUp_->setChecked(false);  // on once the percentages are given
  askNumbers(window_, QStringLiteral("Speed Up Each Pass"),
             QStringLiteral("With a loop or REPLAYS, each pass plays faster:"),
             {{QStringLiteral("Start at"), kLowestPercent, kHighestPercent, speedUpValues_.startPercent, QStringLiteral(" %")},
              {QStringLiteral("Add each pass"), 0, kHighestPercent, speedUpValues_.stepPercent, QStringLiteral(" %")},
              {QStringLiteral("Up to"), kLowestPercent, kHighestPercent, speedUpValues_.topPercent, QStringLiteral(" %")}},
             [](const std::vector<int>& percents) {
               return percents[0] > percents[2] ? QStringLiteral("The start is above the top.") : QString();
             },
             [this](const std::vector<int>& percents) {
               speedUpValues_ = {percents[0], percents[1], percents[2]};
               const std::unique_ptr<QSettings> settings = openUserSettings();
               settings->setValue(kSpeedUpKey, true);
               settings->setValue(kSpeedUpStartKey, percents[0]);
               settings->setValue(kSpeedUpStepKey, percents[1]);
               settings->setValue(kSpeedUpTopKey, percents[2]);
               speedUp_->setChecked(true);
               refresh();
             });
}

void PracticeMenu::togglePause() {
  const std::string caption = form_.runCaption();
  if (caption == kStartCaption) {
    showMessage_("Nothing is playing to pause.");
  } else {
    const bool pausing = caption != kPausedCaption;
    form_.setPaused(pausing);
    if (pausing) showMessage_("Paused after the sounding note. Go On (Ctrl+P) plays on from the next note; the button stops.");
  }
  refresh();
}

}  // namespace corvale
