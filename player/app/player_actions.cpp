#include "player/app/player_actions.h"

#include <QAction>
#include <QKeySequence>
#include <QScrollBar>
#include <QWidget>
#include <initializer_list>

#include "melodex/member_ids.h"
#include "player/window/form1.h"
#include "player/app/help_dialogs.h"

namespace corvale {
namespace {

QAction* makeAction(const QString& text, std::initializer_list<QKeySequence> keys, QWidget& window) {
  auto* action = new QAction(text, &window);
  action->setShortcuts(QList<QKeySequence>(keys));
  // Shortcuts work from every control of the window, the menus closed.
  window.addAction(action);
  return action;
}

}  // namespace

PlayerActions makePlayerActions(Form1& form, QWidget& window) {
  PlayerActions actions{
      makeAction(QStringLiteral("&Open Tune File…"), {QKeySequence::Open}, window),
      makeAction(QStringLiteral("&Quit"), {QKeySequence(Qt::CTRL | Qt::Key_Q)}, window),
      makeAction(QStringLiteral("&Start / Stop"), {QKeySequence(Qt::Key_Space)}, window),
      makeAction(QStringLiteral("&Faster"), {QKeySequence(Qt::CTRL | Qt::Key_Up), QKeySequence(Qt::Key_Plus)},
                 window),
      makeAction(QStringLiteral("S&lower"), {QKeySequence(Qt::CTRL | Qt::Key_Down), QKeySequence(Qt::Key_Minus)},
                 window),
      makeAction(QStringLiteral("Switch &Instrument"), {QKeySequence(Qt::CTRL | Qt::Key_I)}, window),
      makeAction(QStringLiteral("&Keyboard Shortcuts"), {}, window),
      makeAction(QStringLiteral("&What corvale Reads"), {}, window),
      makeAction(QStringLiteral("&About Melodex"), {}, window),
  };
  QObject::connect(actions.quit, &QAction::triggered, &window, &QWidget::close);
  QObject::connect(actions.startStop, &QAction::triggered, &form, &Form1::Command1_Click);
  QObject::connect(actions.switchInstrument, &QAction::triggered, &form, &Form1::Command2_Click);
  QObject::connect(actions.faster, &QAction::triggered, &form,
                   [&form] { form.HScroll2()->triggerAction(QAbstractSlider::SliderSingleStepAdd); });
  QObject::connect(actions.slower, &QAction::triggered, &form,
                   [&form] { form.HScroll2()->triggerAction(QAbstractSlider::SliderSingleStepSub); });
  QObject::connect(actions.keyboardShortcuts, &QAction::triggered, &window,
                   [&window] { showKeyboardShortcuts(window); });
  QObject::connect(actions.whatItReads, &QAction::triggered, &window, [&window] { showWhatCorvaleReads(window); });
  // The control's own About box, reached by its member identifier as every call on Midix is.
  actions.aboutMelodex->setEnabled(form.Midix() != nullptr);
  QObject::connect(actions.aboutMelodex, &QAction::triggered, &form, [&form] {
    if (form.Midix()) form.Midix()->Invoke(melodex::member::About, melodex::InvokeKind::Method, {});
  });
  return actions;
}

}  // namespace corvale
