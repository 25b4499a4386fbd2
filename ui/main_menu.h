// The menu bar built from the game's menu table: one QAction per item (a submenu's is its menu
// action), named as in the table.
#pragma once

#include <QString>
#include <map>

#include "game/game_window.h"

class QAction;
class QMenuBar;

namespace tessaly {

struct MenuEntry;

class MainMenu {
  public:
    explicit MainMenu(QMenuBar& bar);

    QAction* Action(MenuItemId id) const;
    QAction* Action(const MenuEntry& entry) const;
    QAction* Action(const QString& name) const;

  private:
    std::map<QString, QAction*> byName_;
};

}  // namespace tessaly
