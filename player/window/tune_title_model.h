#pragma once

#include <QAbstractListModel>

#include "tune/tune_index.h"

namespace corvale {

// The titles of the tune list as a list model: held as one text, so that a file of
// millions of tunes is listed in a few bytes a title, and only the rows on screen
// are ever made into strings.
class TuneTitleModel : public QAbstractListModel {
 public:
  explicit TuneTitleModel(QObject* parent) : QAbstractListModel(parent) {}

  void setTitles(TuneTitles titles);
  QString title(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  TuneTitles titles_;
};

}  // namespace corvale
