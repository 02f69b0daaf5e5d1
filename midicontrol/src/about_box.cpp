#include "about_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "logo_picture.h"

namespace melodex {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle("About");
  setModal(true);

  auto* texts = new QVBoxLayout;
  auto* version = new QLabel("Version 2.0", this);
  version->setObjectName("VersionLabel");
  auto* notice = new QLabel("Melodex MIDI control by Vantry Music Tools, made for folk musicians.", this);
  notice->setObjectName("NoticeLabel");
  notice->setWordWrap(true);
  auto* address = new QLabel("melodex.vantry.example", this);
  address->setObjectName("AddressLabel");
  texts->addWidget(version);
  texts->addWidget(notice);
  texts->addWidget(address);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Command1");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* top = new QHBoxLayout;
  top->addWidget(new LogoPicture(this), 0, Qt::AlignTop);
  top->addLayout(texts, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(ok, 0, Qt::AlignRight);
  setFixedWidth(360);
}

}  // namespace melodex
