#include "player/app/practice_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace corvale {

void askNumbers(QWidget& parent, const QString& title, const QString& intro, const std::vector<NumberField>& fields,
                const NumbersCheck& check, const NumbersTaken& taken) {
  auto* dialog = new QDialog(&parent);
  dialog->setWindowTitle(title);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(dialog);
  layout->addWidget(new QLabel(intro, dialog));
  auto* form = new QFormLayout;
  layout->addLayout(form);
  std::vector<QSpinBox*> boxes;
  for (const NumberField& field : fields) {
    auto* box = new QSpinBox(dialog);
    box->setRange(field.minimum, field.maximum);
    box->setValue(field.value);
    box->setSuffix(field.suffix);
    form->addRow(field.label, box);
    boxes.push_back(box);
  }
  auto* problem = new QLabel(dialog);
  problem->setObjectName(QStringLiteral("problem"));
  problem->setStyleSheet(QStringLiteral("color: #b00000"));
  problem->setWordWrap(true);
  layout->addWidget(problem);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  layout->addWidget(buttons);

  const auto values = [boxes] {
    std::vector<int> numbers;
    for (const QSpinBox* box : boxes) numbers.push_back(box->value());
    return numbers;
  };
  const auto recheck = [=] {
    const QString wrong = check ? check(values()) : QString();
    problem->setText(wrong);
    problem->setVisible(!wrong.isEmpty());
    buttons->button(QDialogButtonBox::Ok)->setEnabled(wrong.isEmpty());
  };
  for (QSpinBox* box : boxes) QObject::connect(box, &QSpinBox::valueChanged, dialog, recheck);
  recheck();
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  QObject::connect(dialog, &QDialog::accepted, dialog, [=] { taken(values()); });
  dialog->open();
}

}  // namespace corvale
