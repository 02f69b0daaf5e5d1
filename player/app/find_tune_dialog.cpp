#include "player/app/find_tune_dialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "player/app/open_file_tunes.h"
#include "player/window/form1.h"

namespace corvale {
namespace {

QString whatItMatches(Reading reading) {
  return reading == Reading::Standard
             ? QStringLiteral("Finds the titles holding every word typed, in any order, case, accents and "
                              "punctuation aside; also the key (K:), rhythm (R:), composer (C:), source (S:), "
                              "origin (O:) and X: number of each tune.")
             : QStringLiteral("Finds the titles holding every word typed, in any order, case, accents and "
                              "punctuation aside. Under the Standard ABC reading it also looks in the key, "
                              "rhythm, composer, source, origin and X: number.");
}

}  // namespace

FindTuneDialog::FindTuneDialog(Form1& form, QWidget* parent) : QDialog(parent), form_(form) {
  setWindowTitle(QStringLiteral("Find Tune"));
  setModal(false);
  field_ = new QLineEdit(this);
  field_->setPlaceholderText(QStringLiteral("Words of the title"));
  field_->setClearButtonEnabled(true);
  matches_ = new QLabel(this);
  matches_->setWordWrap(true);
  status_ = new QLabel(this);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* previous = buttons->addButton(QStringLiteral("&Previous"), QDialogButtonBox::ActionRole);
  QPushButton* next = buttons->addButton(QStringLiteral("&Next"), QDialogButtonBox::ActionRole);
  buttons->addButton(QDialogButtonBox::Close);
  for (QPushButton* button : {previous, next}) button->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(field_);
  layout->addWidget(status_);
  layout->addWidget(matches_);
  layout->addWidget(buttons);
  setMinimumWidth(360);

  connect(field_, &QLineEdit::textEdited, this, [this] { findFrom(TuneFinder::Direction::Forward, true); });
  connect(field_, &QLineEdit::returnPressed, this, &FindTuneDialog::choose);
  connect(next, &QPushButton::clicked, this, &FindTuneDialog::findNext);
  connect(previous, &QPushButton::clicked, this, &FindTuneDialog::findPrevious);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void FindTuneDialog::openForFinding() {
  refreshTunes();
  show();
  raise();
  activateWindow();
  field_->setFocus();
  field_->selectAll();
}

void FindTuneDialog::findNext() { findFrom(TuneFinder::Direction::Forward, false); }

void FindTuneDialog::findPrevious() { findFrom(TuneFinder::Direction::Backward, false); }

void FindTuneDialog::refreshTunes() {
  const QString findsIn = form_.tunePath() + QChar(form_.reading() == Reading::Standard ? 's' : 'c') +
                          QString::number(form_.List1()->count());
  matches_->setText(whatItMatches(form_.reading()));
  if (finder_ && findsIn == findsIn_) return;
  finder_ = std::make_unique<TuneFinder>(OpenFileTunes::of(form_).findable);
  findsIn_ = findsIn;
}

bool FindTuneDialog::findFrom(TuneFinder::Direction direction, bool selectedCounts) {
  refreshTunes();
  TuneList& list = *form_.List1();
  const std::string typed = field_->text().toStdString();
  if (typed.find_first_not_of(" \t") == std::string::npos) {
    status_->clear();
    return false;
  }
  const std::optional<int> row = finder_->find(typed, list.currentRow(), direction, selectedCounts);
  if (!row) {
    status_->setText(list.count() == 0 ? QStringLiteral("Open a tune file first: there are no titles to look in.")
                                       : QStringLiteral("No tune holds every word typed."));
    return false;
  }
  const std::size_t count = finder_->findAll(typed).size();
  status_->setText(count == 1 ? QStringLiteral("1 tune holds them.") : QStringLiteral("%1 tunes hold them.").arg(count));
  // As a click does: the loop shows the title beside NOW PLAYING and Start plays it.
  list.setCurrentRow(*row);
  list.scrollTo(list.model()->index(*row, 0));
  return true;
}

void FindTuneDialog::choose() {
  if (form_.List1()->currentRow() < 0) return;
  accept();
  form_.List1()->setFocus();
}

void FindTuneDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    choose();
    return;
  }
  if (event->key() == Qt::Key_F3) {
    event->modifiers() & Qt::ShiftModifier ? findPrevious() : findNext();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace corvale
