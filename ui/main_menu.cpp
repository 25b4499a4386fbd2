#include "ui/main_menu.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace tessaly {

namespace {

using enum MenuKind;
using M = MenuItemId;
constexpr MenuEntry MainMenuTable[] = {
    {nullptr, "MenuGame", "游戏", Submenu, true, false, {}},
    {"MenuGame", "MenuGameLow", "初级 - F1", Radio, true, true, M::MenuGameLow},
    {"MenuGame", "MenuGameMedium", "中级 - F2", Radio, true, false, M::MenuGameMedium},
    {"MenuGame", "MenuGameHigh", "高级 - F3", Radio, true, false, M::MenuGameHigh},
    {"MenuGame", "MenuGameSpecial", "特级 - F4", Radio, true, false, M::MenuGameSpecial},
    {"MenuGame", "N7", "-", Separator, true, false, {}},
    {"MenuGame", "MenuGamePause", "暂停 - F8", Plain, true, false, M::MenuGamePause},
    {"MenuGame", "N5", "-", Separator, true, false, {}},
    {"MenuGame", "MenuGameAbandon", "放弃 - ESC", Plain, false, false, M::MenuGameAbandon},
    {"MenuGame", "N2", "-", Separator, true, false, {}},
    {"MenuGame", "MenuTop", "排行榜", Plain, true, false, M::MenuTop},
    {"MenuGame", "MenuGameSeperator", "-", Separator, true, false, {}},
    {"MenuGame", "MenuGameExit", "退出", Plain, true, false, M::MenuGameExit},
    {nullptr, "N1", "选项", Submenu, true, false, {}},
    {"N1", "MenuOptionGetHint", "提示 - F5", Plain, false, false, M::MenuOptionGetHint},
    {"N1", "MenuOptionRearrange", "重排 - F6", Plain, false, false, M::MenuOptionRearrange},
    {"N1", "N4", "-", Separator, true, false, {}},
    {"N1", "MenuOptionBitmap", "图案", Plain, false, false, M::MenuOptionBitmap},
    {"N1", "MenuOptionSound", "音效", Toggle, true, true, M::MenuOptionSound},
    {"N1", "MenuOptionMusic", "音乐", Toggle, true, false, M::MenuOptionMusic},
    {"N1", "MenuOptionBackGround", "背景", Plain, false, false, M::MenuOptionBackGround},
    {"N1", "N3", "-", Separator, true, false, {}},
    {"N1", "MenuChange", "变化", Submenu, false, false, M::MenuChange},
    {"MenuChange", "MenuNoChange", "固定", Radio, true, true, M::MenuNoChange},
    {"MenuChange", "MenuToDown", "向下", Radio, true, false, M::MenuToDown},
    {"MenuChange", "MenuToLeft", "向左", Radio, true, false, M::MenuToLeft},
    {"MenuChange", "MenuUpDownSeperate", "上下分离", Radio, true, false, M::MenuUpDownSeperate},
    {"MenuChange", "MenuLeftRightSeperate", "左右分离", Radio, true, false,
     M::MenuLeftRightSeperate},
    {"MenuChange", "MenuUpDownCollect", "上下集中", Radio, true, false, M::MenuUpDownCollect},
    {"MenuChange", "MenuLeftRightCollect", "左右集中", Radio, true, false, M::MenuLeftRightCollect},
    {"MenuChange", "MenuLeftUpRightDown", "上左下右", Radio, true, false, M::MenuLeftUpRightDown},
    {"MenuChange", "MenuLeftDownRightUp", "左下右上", Radio, true, false, M::MenuLeftDownRightUp},
    {"MenuChange", "MenuUpDownLeftRightSeperate", "向外扩散", Radio, true, false,
     M::MenuUpDownLeftRightSeperate},
    {"MenuChange", "MenuUpDownLeftRightCollect", "向内集中", Radio, true, false,
     M::MenuUpDownLeftRightCollect},
    {nullptr, "MenuHelp", "帮助", Submenu, true, false, {}},
    {"MenuHelp", "MenuGameAbout", "关于Tessaly", Plain, true, false, M::MenuGameAbout},
    {"MenuHelp", "MenuAutoPlay", "自动操作 - F7", Toggle, false, false, M::MenuAutoPlay},
};

}  // namespace

MainMenu::MainMenu(QMenuBar& bar) {
    std::map<QString, QMenu*> menus;
    std::map<QMenu*, QActionGroup*> radioGroups;
    for (const MenuEntry& entry : MainMenuTable) {
        const QString name = QString::fromUtf8(entry.name);
        const QString caption = QString::fromUtf8(entry.caption);
        QMenu* parent = entry.parent ? menus.at(QString::fromUtf8(entry.parent)) : nullptr;

        QAction* action = nullptr;
        switch (entry.kind) {
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
        action->setEnabled(entry.enabled);
        if (entry.checked) action->setChecked(true);
        byName_[name] = action;
        if (entry.id) {
            byId_[*entry.id] = action;
            kinds_[*entry.id] = entry.kind;
        }
    }
}

QAction* MainMenu::action(const QString& name) const {
    const auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

}  // namespace tessaly
