#pragma once

#include <QApplication>

// Shows an exception that escapes an event handler in an error box; the program goes on
// with the state it had reached.
class TApplication : public QApplication
{
public:
    TApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
