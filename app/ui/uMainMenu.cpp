#include "app/ui/uMainMenu.h"

#include <QMenuBar>

TMainMenu BuildMainMenu(QMenuBar &bar)
{
    auto makeAction = [&bar](QMenu *menu, const QString &caption, const char *name) {
        QAction *action = menu ? menu->addAction(caption) : bar.addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    auto makeMenu = [&bar](const QString &caption, const char *name) {
        QMenu *menu = bar.addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    TMainMenu menu;
    menu.Plik1 = makeMenu(QStringLiteral("File"), "Plik1");
    menu.Save1 = makeAction(menu.Plik1, QStringLiteral("Save as"), "Save1");
    menu.menuLogCan = makeAction(menu.Plik1, QStringLiteral("Log CAN"), "menuLogCan");
    menu.menuLogCan->setVisible(false);
    menu.menuKeepRawTrace = makeAction(menu.Plik1, QStringLiteral("Keep raw trace"), "menuKeepRawTrace");
    menu.menuKeepRawTrace->setCheckable(true);
    menu.menuDriveReport =
        makeAction(menu.Plik1, QStringLiteral("Drive report…"), "menuDriveReport");
    menu.menuDriveReport->setEnabled(false);
    menu.N1 = menu.Plik1->addSeparator();
    menu.N1->setObjectName(QStringLiteral("N1"));
    menu.Koniec1 = makeAction(menu.Plik1, QStringLiteral("Close"), "Koniec1");
    menu.Ustawienia1 = makeAction(nullptr, QStringLiteral("Settings"), "Ustawienia1");
    menu.Pomoc1 = makeMenu(QStringLiteral("Help"), "Pomoc1");
    menu.Oprogramie1 = makeAction(menu.Pomoc1, QStringLiteral("About"), "Oprogramie1");
    menu.Changelog1 = makeAction(menu.Pomoc1, QStringLiteral("Changelog"), "Changelog1");
    return menu;
}
