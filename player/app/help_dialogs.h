#pragma once

class QWidget;

namespace corvale {

// The Help menu's two boxes. Both are opened without a nested event loop, so
// a tune plays on and the program can end while one is open.
void showKeyboardShortcuts(QWidget& parent);
void showWhatCorvaleReads(QWidget& parent);

}  // namespace corvale
