#include "player/window/tune_list.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>
#include <iterator>

namespace corvale {
namespace {

// Draws an entry within the list's visible width, so a long one ends in "…",
// and shows the whole entry as its tip when it is cut.
class VisibleWidthDelegate : public QStyledItemDelegate {
 public:
  explicit VisibleWidthDelegate(QAbstractItemView* list) : QStyledItemDelegate(list), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, withinView(option), index);
  }

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip) return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    const QStyleOptionViewItem shown = withinView(option);
    if (QStyledItemDelegate::sizeHint(option, index).width() > shown.rect.width()) {
      QToolTip::showText(event->globalPos(), text, view);
    } else {
      QToolTip::hideText();
    }
    return true;
  }

 private:
  QStyleOptionViewItem withinView(const QStyleOptionViewItem& option) const {
    QStyleOptionViewItem shown = option;
    shown.rect.setRight(std::min(shown.rect.right(), list_->viewport()->width() - 1));
    shown.textElideMode = Qt::ElideRight;
    return shown;
  }

  QAbstractItemView* list_;
};

}  // namespace

TuneList::TuneList(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new VisibleWidthDelegate(this));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// The keyboard's focus puts the current mark on the first title without
// choosing it: Space would then start nothing, and Down on a list of one
// title, or Home on the first, would move nowhere and choose nothing.
void TuneList::chooseMarkedTitle() {
  if (selectedItems().isEmpty() && currentItem()) currentItem()->setSelected(true);
}

bool TuneList::isTypedSpace(const QKeyEvent& key) const {
  return key.key() == Qt::Key_Space && key.modifiers() == Qt::NoModifier && typeAhead_.typing();
}

bool TuneList::event(QEvent* event) {
  // A space typed within a title goes to the search, ahead of the window's Start / Stop.
  if (event->type() == QEvent::ShortcutOverride && isTypedSpace(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QListWidget::event(event);
}

void TuneList::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  // Only Tab: the list taking over the focus from the hidden browser chooses nothing.
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) chooseMarkedTitle();
}

void TuneList::keyPressEvent(QKeyEvent* event) {
  if (isTypedSpace(*event)) {
    keyboardSearch(QStringLiteral(" "));
    return;
  }
  QListWidget::keyPressEvent(event);
  static constexpr int kMovingKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp,
                                        Qt::Key_PageDown};
  if (std::find(std::begin(kMovingKeys), std::end(kMovingKeys), event->key()) != std::end(kMovingKeys)) {
    chooseMarkedTitle();
  }
}

void TuneList::keyboardSearch(const QString& search) { typeAhead_.search(*this, search); }

}  // namespace corvale
