// The command table of the main window.
#include "mainwindow/Commands.h"

#include <QAction>
#include <QToolButton>

const std::vector<TfrmVantu::TMenuEntry> &TfrmVantu::MenuTable()
{
    auto menu = [](const char *name, QMenu *TfrmVantu::*member) {
        TMenuEntry e;
        e.Kind = TMenuEntry::Menu;
        e.Name = name;
        e.MenuMember = member;
        return e;
    };
    auto item = [](const char *name, QAction *TfrmVantu::*member, void (TfrmVantu::*handler)()) {
        TMenuEntry e;
        e.Name = name;
        e.ItemMember = member;
        e.Handler = handler;
        return e;
    };
    auto withButton = [](TMenuEntry e, const char *button, QToolButton *TfrmVantu::*member,
                         const char *image) {
        e.Button = button;
        e.ButtonMember = member;
        e.Image = image;
        return e;
    };
    auto separator = [](const char *name) {
        TMenuEntry e;
        e.Kind = TMenuEntry::Separator;
        e.Name = name;
        return e;
    };
    auto checkable = [](TMenuEntry e) {
        e.Checkable = true;
        return e;
    };
    auto shortcut = [](TMenuEntry e, QKeySequence keys) {
        e.Shortcut = keys;
        return e;
    };

    static const std::vector<TMenuEntry> table = [&] {
        TMenuEntry submenu = menu("mnuJazyk", &TfrmVantu::mnuJazyk);
        submenu.Kind = TMenuEntry::SubMenu;
        TMenuEntry submenuEnd;
        submenuEnd.Kind = TMenuEntry::SubMenuEnd;
        using T = TfrmVantu;
        return std::vector<TMenuEntry>{
            menu("mnuSubor", &T::mnuSubor),
            withButton(item("mnuVlastne", &T::mnuVlastne, &T::mnuVlastneClick), "btnVlastne",
                       &T::btnVlastne, "00_vlastne"),
            withButton(item("mnuDatabaza", &T::mnuDatabaza, &T::mnuDatabazaClick), "btnDatabaza",
                       &T::btnDatabaza, "01_databaza"),
            separator("N1"),
            withButton(item("mnuPridat", &T::mnuPridat, &T::mnuPridatClick), "btnPridat",
                       &T::btnPridat, "02_pridat"),
            withButton(item("mnuZmazat", &T::mnuZmazat, &T::mnuZmazatClick), "btnZmazat",
                       &T::btnZmazat, "03_zmazat"),
            // Beyond the classic commands: no toolbar button.
            shortcut(item("mnuHladat", &T::mnuHladat, &T::mnuHladatClick),
                     QKeySequence(Qt::CTRL | Qt::Key_F)),
            separator("N2"),
            submenu,
            checkable(item("mnuSlovensky", &T::mnuSlovensky, &T::mnuSlovenskyClick)),
            checkable(item("mnuAnglicky", &T::mnuAnglicky, &T::mnuAnglickyClick)),
            checkable(item("mnuMadarsky", &T::mnuMadarsky, &T::mnuMadarskyClick)),
            submenuEnd,
            separator("N3"),
            shortcut(item("mnuKoniec", &T::mnuKoniec, &T::mnuKoniecClick),
                     QKeySequence(Qt::ALT | Qt::Key_F4)),

            menu("mnuNastroje", &T::mnuNastroje),
            withButton(item("mnuSvet", &T::mnuSvet, &T::mnuSvetClick), "btnSvet", &T::btnSvet,
                       "06_svet"),
            withButton(item("mnuSlovensko", &T::mnuSlovensko, &T::mnuSlovenskoClick),
                       "btnSlovensko", &T::btnSlovensko, "07_slovensko"),
            // The place's horizon: no toolbar button, the toolbar stays as it was.
            item("mnuHorizont", &T::mnuHorizont, &T::mnuHorizontClick),
            separator("N4"),
            withButton(item("mnuVelkaNoc", &T::mnuVelkaNoc, &T::mnuVelkaNocClick), "btnVelkaNoc",
                       &T::btnVelkaNoc, "04_velkanoc"),
            withButton(item("mnuFazaMesiaca", &T::mnuFazaMesiaca, &T::mnuFazaMesiacaClick),
                       "btnFazeMesiaca", &T::btnFazeMesiaca, "05_faza"),
            separator("N5"),
            withButton(item("mnuTabulka", &T::mnuTabulka, &T::mnuTabulkaClick), "btnTabulka",
                       &T::btnTabulka, "08_tabulka"),
            withButton(item("mnuTabulkaMes", &T::mnuTabulkaMes, &T::mnuTabulkaMesClick),
                       "btnTabulkaMes", &T::btnTabulkaMes, "09_tabulkames"),
            // Beyond the classic tools: no toolbar button, the toolbar stays as it was.
            separator("N6"),
            shortcut(item("mnuRokSlnka", &T::mnuRokSlnka, &T::mnuRokSlnkaClick),
                     QKeySequence(Qt::CTRL | Qt::Key_Y)),
            shortcut(item("mnuSlnkoMesiac", &T::mnuSlnkoMesiac, &T::mnuSlnkoMesiacClick),
                     QKeySequence(Qt::CTRL | Qt::Key_M)),
            item("mnuZarovnanie", &T::mnuZarovnanie, &T::mnuZarovnanieClick),

            menu("mnuNapoved", &T::mnuNapoved),
            shortcut(item("mnuPomoc", &T::mnuPomoc, &T::mnuPomocClick), QKeySequence(Qt::Key_F1)),
            item("mnuOnLine", &T::mnuOnLine, &T::mnuOnLineClick),
            item("mnuOPrograme", &T::mnuOPrograme, &T::mnuOProgrameClick),
        };
    }();
    return table;
}

void TfrmVantu::SetCommandState(QAction *item, TCommandState state)
{
    item->setEnabled(state == TCommandState::Available);
    if (QToolButton *button = FButtonOfItem.value(item)) {
        button->setEnabled(state == TCommandState::Available);
        button->setChecked(state == TCommandState::Unavailable);
    }
}
