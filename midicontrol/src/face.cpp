#include <QLabel>
#include <QVBoxLayout>

#include "about_box.h"
#include "control_face.h"
#include "melodex/midi_control.h"

namespace melodex {

namespace {
constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch
}

ControlFace::ControlFace(QWidget* window) : window_(window), face_(new QWidget(window)) {
  face_->setObjectName("MidiControlFace");
  face_->setFixedSize(MidiControl::kWidthTwips / kTwipsPerPixel, MidiControl::kHeightTwips / kTwipsPerPixel);
  face_->setAttribute(Qt::WA_TransparentForMouseEvents);
  auto* layout = new QVBoxLayout(face_);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* infoLabel = new QLabel("Melodex MIDI control 2.0", face_);
  infoLabel->setObjectName("InfoLabel");
  infoLabel->setAlignment(Qt::AlignCenter);
  infoLabel->setWordWrap(true);
  infoLabel->setFrameShape(QFrame::Box);
  layout->addWidget(infoLabel);
}

// The window may already have deleted the face (it is its child); the
// guarded pointers are then null and nothing is deleted twice.
ControlFace::~ControlFace() {
  delete aboutBox_;
  delete face_;
}

void ControlFace::showAbout() {
  if (!aboutBox_) aboutBox_ = new AboutBox(window_);
  aboutBox_->exec();
}

}  // namespace melodex
