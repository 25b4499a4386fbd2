#include "ui/main_menu.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "game/menu_commands.h"

namespace tessaly {

using enum MenuKind;

MainMenu::MainMenu(QMenuBar& bar) {
    std::map<QString, QMenu*> menus;
    std::map<QMenu*, QActionGroup*> radioGroups;
    for (const MenuEntry& entry : MainMenuTable) {
        const QString name = QString::fromUtf8(entry.Name);
        const QString caption = QString::fromUtf8(entry.Caption);
        QMenu* parent = entry.Parent ? menus.at(QString::fromUtf8(entry.Parent)) : nullptr;

        QAction* action = nullptr;
        switch (entry.Kind) {
            case Submenu: {
                QMenu* menu = parent ? parent->addMenu(caption) : bar.addMenu(caption);
                menu->setObjectName(name);
                menus[name] = menu;
                action = menu->menuAction();
                break;
            }
            case Separator:
                action = parent->addSeparator();
                break;
            case Radio: {
                QActionGroup*& group = radioGroups[parent];
                if (!group) {
                    // Choosing the checked item unchecks it, leaving none of the group checked.
                    group = new QActionGroup(parent);
                    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
                }
                action = parent->addAction(caption);
                action->setCheckable(true);
                group->addAction(action);
                break;
            }
            case Toggle:
                action = parent->addAction(caption);
                action->setCheckable(true);
                break;
            case Plain:
                action = parent->addAction(caption);
                break;
        }
        action->setObjectName(name);
        action->setEnabled(entry.Enabled);
        if (entry.Checked) action->setChecked(true);
        byName_[name] = action;
    }
}

QAction* MainMenu::Action(MenuItemId id) const {
    return Action(EntryOf(id));
}

QAction* MainMenu::Action(const MenuEntry& entry) const {
    return Action(QString::fromUtf8(entry.Name));
}

QAction* MainMenu::Action(const QString& name) const {
    const auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

}  // namespace tessaly
