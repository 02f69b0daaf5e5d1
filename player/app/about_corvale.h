#pragma once

class QSettings;
class QWidget;

namespace corvale {

// Help ▸ About corvale: the version, the licence, the SoundFont the built-in
// synthesiser sounds with, and where the settings, the library index and the
// current set are kept. Opened without a nested event loop, as the other Help boxes.
void showAboutCorvale(QWidget& parent, const QSettings& settings);

}  // namespace corvale
