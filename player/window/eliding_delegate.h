#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace corvale {

// Draws a list's entry within the list's visible width, so a long one ends in
// "…", and shows the whole entry as its tip when it is cut.
class ElidingDelegate : public QStyledItemDelegate {
 public:
  explicit ElidingDelegate(QAbstractItemView* list);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

 private:
  QStyleOptionViewItem withinView(const QStyleOptionViewItem& option) const;

  QAbstractItemView* list_;
};

}  // namespace corvale
