#include "player/app/menu_bar.h"

#include <QMenu>
#include <QMenuBar>

namespace corvale {
namespace {

const MenuItem kSeparator{};

void fillMenu(QMenu& menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (item.submenu) {
      menu.addMenu(item.submenu);
    } else if (item.action) {
      menu.addAction(item.action);
    } else {
      menu.addSeparator();
    }
  }
}

}  // namespace

std::vector<MenuSection> menuLayout(const MenuBarContents& contents) {
  MenuSection file{QStringLiteral("&File"), {{contents.openTuneFile}, {nullptr, contents.openRecent}}};
  if (!contents.fileExtras.empty()) {
    file.items.push_back(kSeparator);
    for (QAction* extra : contents.fileExtras) file.items.push_back({extra});
  }
  file.items.push_back(kSeparator);
  file.items.push_back({contents.quit});

  MenuSection play{QStringLiteral("&Play"),
                {{contents.startStop}, kSeparator, {contents.faster}, {contents.slower}, kSeparator,
                 {contents.switchInstrument}}};
  for (QAction* extra : contents.playExtras) play.items.push_back({extra});
  MenuSection help{QStringLiteral("&Help"), {{contents.keyboardShortcuts}, {contents.whatItReads}, kSeparator}};
  if (contents.aboutCorvale) help.items.push_back({contents.aboutCorvale});
  help.items.push_back({contents.aboutMelodex});

  std::vector<MenuSection> menus{file, play};
  menus.insert(menus.end(), contents.menusAfterPlay.begin(), contents.menusAfterPlay.end());
  menus.push_back(help);
  return menus;
}

void buildMenuBar(QMenuBar& bar, const std::vector<MenuSection>& menus) {
  for (const MenuSection& section : menus) {
    QMenu* menu = bar.addMenu(section.title);
    if (!section.currentItems) {
      fillMenu(*menu, section.items);
      continue;
    }
    const auto refill = [menu, currentItems = section.currentItems] {
      // The lines first: the ones they replace leave the menu as they go.
      const std::vector<MenuItem> items = currentItems();
      menu->clear();
      fillMenu(*menu, items);
    };
    refill();
    QObject::connect(menu, &QMenu::aboutToShow, menu, refill);
  }
}

}  // namespace corvale
