#pragma once
// The main window's menu: its entries, named as the program names them.

class QAction;
class QMenu;
class QMenuBar;

struct TMainMenu {
    QMenu *Plik1 = nullptr;
    QAction *Save1 = nullptr;
    QAction *menuLogCan = nullptr;
    QAction *menuKeepRawTrace = nullptr;  // from the next Start on, for this run
    QAction *menuDriveReport = nullptr;   // of the log stopped last; disabled before
    QAction *N1 = nullptr;
    QAction *Koniec1 = nullptr;
    QAction *Ustawienia1 = nullptr;
    QMenu *Pomoc1 = nullptr;
    QAction *Oprogramie1 = nullptr;
    QAction *Changelog1 = nullptr;
};

// The entries on the bar, connected to nothing yet; "Log CAN" hidden, "Keep raw trace" unticked,
// "Drive report…" disabled.
TMainMenu BuildMainMenu(QMenuBar &bar);
