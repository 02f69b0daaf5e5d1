#include "player/window/tune_title_model.h"

#include <limits>

namespace corvale {

void TuneTitleModel::setTitles(TuneTitles titles) {
  beginResetModel();
  titles_ = std::move(titles);
  endResetModel();
}

QString TuneTitleModel::title(int row) const {
  if (row < 0 || row >= rowCount()) return {};
  const std::string_view text = titles_[static_cast<std::size_t>(row)];
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int TuneTitleModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  // A view counts its rows in int: a list longer than that shows its first rows.
  return static_cast<int>(std::min<std::size_t>(titles_.size(), std::numeric_limits<int>::max()));
}

QVariant TuneTitleModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return title(index.row());
}

}  // namespace corvale
