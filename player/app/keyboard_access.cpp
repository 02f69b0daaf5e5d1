#include "player/app/keyboard_access.h"

#include <QAbstractSlider>
#include <QKeyEvent>
#include <QObject>
#include <QShortcut>
#include <utility>
#include <vector>

#include "player/window/colour_button.h"
#include "player/window/display_box.h"
#include "player/window/drive_list.h"
#include "player/window/file_list.h"
#include "player/window/folder_list.h"
#include "player/window/form1.h"
#include "player/window/line_widget.h"
#include "player/window/message_area.h"
#include "player/window/picture_box.h"

namespace corvale {
namespace {

// Arrow keys, Page Up/Down, Home and End on a focused slider: right and up
// to the higher value, whatever way the scroll bar itself turns its keys.
class SliderKeys : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* slider = qobject_cast<QAbstractSlider*>(watched);
    if (!slider || event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    switch (key->key()) {
      case Qt::Key_Right:
      case Qt::Key_Up:
        action = QAbstractSlider::SliderSingleStepAdd;
        break;
      case Qt::Key_Left:
      case Qt::Key_Down:
        action = QAbstractSlider::SliderSingleStepSub;
        break;
      case Qt::Key_PageUp:
        action = QAbstractSlider::SliderPageStepAdd;
        break;
      case Qt::Key_PageDown:
        action = QAbstractSlider::SliderPageStepSub;
        break;
      case Qt::Key_Home:
        action = QAbstractSlider::SliderToMinimum;
        break;
      case Qt::Key_End:
        action = QAbstractSlider::SliderToMaximum;
        break;
      default:
        return QObject::eventFilter(watched, event);
    }
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier) {
      return QObject::eventFilter(watched, event);
    }
    slider->triggerAction(action);
    return true;
  }
};

// Space presses the focused button or opens the focused drive list, ahead of
// the window's Start / Stop shortcut.
class KeepsSpace : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
        event->accept();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

void nameControls(Form1& form) {
  const std::vector<std::pair<QWidget*, const char*>> names{
      {form.Drive1(), "Drive list"},      {form.Dir1(), "Folder list"},      {form.File1(), "File list"},
      {form.List1(), "Tune list"},        {form.List2(), "Tune lines"},      {form.Command1(), "Start / Stop"},
      {form.Command2(), "Instrument"},    {form.HScroll2(), "Tempo"},        {form.Text6(), "Tempo value"},
      {form.HScroll1(), "Replays"},       {form.Text3(), "Replays value"},   {form.Text2(), "Tune file"},
      {form.Label1(), "Now playing"},     {form.Label5(), "Key"},            {form.Picture1(), "Picture"},
      {form.messageArea(), "Messages"},
  };
  for (const auto& [control, name] : names) control->setAccessibleName(QString::fromLatin1(name));
  if (form.Midix() && form.Midix()->face()) form.Midix()->face()->setAccessibleName(QStringLiteral("MIDI control"));
  const char* const lines[] = {"Nut", "G string", "D string", "A string", "E string"};
  for (std::size_t line = 0; line < kStringLines.size(); ++line) {
    form.fingerboard().stringLine(static_cast<int>(line))->setAccessibleName(QString::fromLatin1(lines[line]));
  }
  for (int fret = 0; fret < kFretCount; ++fret) {
    form.fingerboard().fret(fret)->setAccessibleName(QStringLiteral("Banjo fret %1").arg(fret + 1));
  }
  for (int box = 0; box < kBoxCount; ++box) {
    form.fingerboard().box(box)->setAccessibleName(QStringLiteral("Fingerboard ") +
                                                   form.fingerboard().box(box)->text().trimmed());
  }
}

}  // namespace

void prepareKeyboardAccess(Form1& form) {
  auto* sliderKeys = new SliderKeys(&form);
  for (QWidget* slider : std::initializer_list<QWidget*>{form.HScroll2(), form.HScroll1()}) {
    slider->setFocusPolicy(Qt::StrongFocus);
    slider->installEventFilter(sliderKeys);
  }
  // Shown only: the tune's lines are read, never worked.
  form.List2()->setFocusPolicy(Qt::NoFocus);
  const std::vector<QWidget*> order{form.Drive1(),   form.Dir1(),     form.File1(),    form.List1(),
                                    form.Command1(), form.Command2(), form.HScroll2(), form.HScroll1()};
  for (std::size_t next = 1; next < order.size(); ++next) QWidget::setTabOrder(order[next - 1], order[next]);

  auto* keepsSpace = new KeepsSpace(&form);
  for (QWidget* control : std::initializer_list<QWidget*>{form.Command2(), form.Drive1()}) {
    control->installEventFilter(keepsSpace);
  }
  for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
    auto* start = new QShortcut(key, form.List1(), nullptr, nullptr, Qt::WidgetShortcut);
    QObject::connect(start, &QShortcut::activated, &form, &Form1::Command1_Click);
  }
  nameControls(form);
}

}  // namespace corvale
