// The main menu as a table: every item with its caption, kind and state at start. The window
// builds its menu bar from it; the menu itself binds no shortcut keys (the window reads keys).
#pragma once

#include <QString>
#include <array>
#include <map>
#include <optional>

#include "game/game_window.h"

class QAction;
class QMenuBar;

namespace tessaly {

enum class MenuKind { Submenu, Radio, Toggle, Plain, Separator };

struct MenuEntry {
    const char* parent;  // nullptr: the menu bar itself
    const char* name;
    const char* caption;
    MenuKind kind;
    bool enabled;
    bool checked;
    std::optional<MenuItemId> id;
};

// The built menu: one QAction per item (a submenu's is its menu action), named as in the table.
class MainMenu {
  public:
    explicit MainMenu(QMenuBar& bar);

    QAction* action(MenuItemId id) const { return byId_.at(id); }
    QAction* action(const QString& name) const;
    MenuKind kind(MenuItemId id) const { return kinds_.at(id); }

  private:
    std::map<QString, QAction*> byName_;
    std::map<MenuItemId, QAction*> byId_;
    std::map<MenuItemId, MenuKind> kinds_;
};

}  // namespace tessaly
