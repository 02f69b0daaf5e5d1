#include "player/window/fingerboard.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include "player/window/line_widget.h"
#include "player/window/note_box.h"
#include "player/window/twips.h"

namespace corvale {
namespace {

QColor rgb(std::uint32_t colour) { return QColor::fromRgb(static_cast<QRgb>(colour)); }

LineWidget* makeLine(const LinePlace& place, int width, QWidget* window) {
  auto* line = new LineWidget(pointFromTwips(place.x1, place.y1), pointFromTwips(place.x2, place.y2),
                              rgb(place.colour), width, window);
  // Lines are drawn first and kept at the bottom so the boxes sit on them.
  line->lower();
  return line;
}

bool isBox(int box) { return box >= 0 && box < kBoxCount; }

}  // namespace

Fingerboard::Fingerboard(QWidget* window) {
  for (std::size_t i = 0; i < kStringLines.size(); ++i) {
    strings_[i] = makeLine(kStringLines[i], kStringLineWidth, window);
  }
  for (int k = 0; k < kFretCount; ++k) {
    frets_[k] = makeLine(fretPlace(k), kFretLineWidth, window);
  }
  QFont boxFont(QStringLiteral("DejaVu Sans"));
  boxFont.setPointSizeF(12);
  boxFont.setBold(true);
  for (int k = 0; k < kBoxCount; ++k) {
    const BoxPlace& place = kBoxPlaces[k];
    // Before the first file the boxes show in their string colours.
    auto* box = new NoteBox(QString::fromUtf8(place.caption), rgb(boxColour(k)), window);
    box->setFont(boxFont);
    box->setGeometry(rectFromTwips(place.left, place.top, kBoxSizeTwips, kBoxSizeTwips));
    box->setTextMargins(0, 0, 0, 0);
    box->raise();
    boxes_[k] = box;
  }
}

void Fingerboard::prepare(const std::function<void()>& showWindow) {
  hideAll();
  for (int k = 0; k < kBoxCount; ++k) {
    showWindow();
    boxes_[k]->setBackground(rgb(boxColour(k)));
  }
}

void Fingerboard::showBox(int box) {
  if (isBox(box)) boxes_[box]->show();
}

void Fingerboard::hideBox(int box) {
  if (isBox(box)) boxes_[box]->hide();
}

void Fingerboard::hideAll() {
  for (DisplayBox* box : boxes_) box->hide();
}

void Fingerboard::setFretsVisible(bool visible) {
  for (LineWidget* fret : frets_) fret->setVisible(visible);
}

}  // namespace corvale
