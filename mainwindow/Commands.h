// The main window's command table: each menu and menu item, the toolbar
// button and image that run the same command, the handler, shortcut and
// check mark, described once. The menus, the toolbar and the connections are
// built from it, and language hints are copied from an item to its button.
#pragma once

#include "mainwindow/Vantu.h"

#include <QKeySequence>

struct TfrmVantu::TMenuEntry {
    enum TKind { Menu, SubMenu, SubMenuEnd, Item, Separator };
    TKind Kind = Item;
    const char *Name = nullptr;                // objectName of the menu, item or separator
    QMenu *TfrmVantu::*MenuMember = nullptr;   // Menu, SubMenu
    QAction *TfrmVantu::*ItemMember = nullptr; // Item
    void (TfrmVantu::*Handler)() = nullptr;
    QKeySequence Shortcut;
    bool Checkable = false;
    // The toolbar button that runs the same handler and its image. A button
    // that follows a separator or starts a new menu starts a new group on the
    // toolbar.
    const char *Button = nullptr;
    QToolButton *TfrmVantu::*ButtonMember = nullptr;
    const char *Image = nullptr;
};
