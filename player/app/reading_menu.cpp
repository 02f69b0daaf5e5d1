#include "player/app/reading_menu.h"

#include <QAction>
#include <QActionGroup>

#include "player/settings/user_settings.h"
#include "player/window/form1.h"

namespace corvale {
namespace {

const QString kKey = QStringLiteral("reading");
const QString kStandardValue = QStringLiteral("standard");
const QString kClassicValue = QStringLiteral("classic");
const QString kOrnamentsKey = QStringLiteral("playOrnaments");

}  // namespace

ReadingMenu::ReadingMenu(Form1& form, QObject* parent)
    : QObject(parent), form_(form), group_(new QActionGroup(this)) {
  classic_ = new QAction(QStringLiteral("&Classic"), group_);
  standard_ = new QAction(QStringLiteral("&Standard ABC"), group_);
  classic_->setStatusTip(QStringLiteral("Read tunes as corvale always has"));
  standard_->setStatusTip(QStringLiteral("Read tunes as the ABC standard writes them"));
  for (QAction* action : {classic_, standard_}) action->setCheckable(true);
  group_->setExclusive(true);

  const Reading reading = storedReading();
  (reading == Reading::Standard ? standard_ : classic_)->setChecked(true);
  form_.setReading(reading);
  ornaments_ = new QAction(QStringLiteral("Play &Ornaments"), this);
  ornaments_->setStatusTip(QStringLiteral("Under the standard reading, play rolls, trills, mordents and turns"));
  ornaments_->setCheckable(true);
  ornaments_->setChecked(storedPlayOrnaments());
  form_.setPlayOrnaments(ornaments_->isChecked());
  connect(ornaments_, &QAction::toggled, this, [this](bool on) {
    openUserSettings()->setValue(kOrnamentsKey, on);
    form_.setPlayOrnaments(on);
  });
  connect(classic_, &QAction::triggered, this, [this] { choose(Reading::Classic); });
  connect(standard_, &QAction::triggered, this, [this] { choose(Reading::Standard); });
}

MenuSection ReadingMenu::section() const {
  return {QStringLiteral("&Reading"), {{classic_}, {standard_}, {}, {ornaments_}}};
}

bool ReadingMenu::storedPlayOrnaments() { return openUserSettings()->value(kOrnamentsKey, false).toBool(); }

Reading ReadingMenu::storedReading() {
  return openUserSettings()->value(kKey).toString() == kStandardValue ? Reading::Standard : Reading::Classic;
}

void ReadingMenu::choose(Reading reading) {
  openUserSettings()->setValue(kKey, reading == Reading::Standard ? kStandardValue : kClassicValue);
  form_.setReading(reading);
}

}  // namespace corvale
