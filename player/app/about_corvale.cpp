#include "player/app/about_corvale.h"

#include <QMessageBox>
#include <QSettings>
#include <QWidget>

#include "player/app/library_places.h"
#include "player/export/sound_choice.h"

namespace corvale {

void showAboutCorvale(QWidget& parent, const QSettings& settings) {
  const std::filesystem::path soundFont = soundFontInUse(settings).path;
  const QString folder = keptMusicFolder(settings);
  const QString text =
      QStringLiteral("<p><b>corvale %1</b><br>A tune player for fiddle and banjo players.</p>"
                     "<p>Released under the MIT licence.</p>"
                     "<table cellspacing='4'>"
                     "<tr><td>SoundFont</td><td>%2</td></tr>"
                     "<tr><td>Settings</td><td>%3</td></tr>"
                     "<tr><td>Music folder</td><td>%4</td></tr>"
                     "<tr><td>Library index</td><td>%5</td></tr>"
                     "<tr><td>Current set</td><td>%6</td></tr>"
                     "</table>")
          .arg(QStringLiteral(CORVALE_VERSION_TEXT),
               soundFont.empty() ? QStringLiteral("none found") : shownPath(soundFont).toHtmlEscaped(),
               settings.fileName().toHtmlEscaped(),
               folder.isEmpty() ? QStringLiteral("none chosen (File ▸ Music Folder…)") : folder.toHtmlEscaped(),
               shownPath(libraryIndexFile()).toHtmlEscaped(), shownPath(currentSetFile()).toHtmlEscaped());
  auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("About corvale"), text, QMessageBox::Close, &parent);
  box->setTextFormat(Qt::RichText);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  box->show();
}

}  // namespace corvale
