#pragma once
// The application object of the commands without a window. An exception that escapes an
// event handler ends up here: one from the CAN backend's own code counts as the adapter's
// loss, which the recording survives; any other is reported and the program goes on.

#include <QCoreApplication>

#include <exception>

class TCommandApplication : public QCoreApplication
{
public:
    TCommandApplication(int &argc, char **argv) : QCoreApplication(argc, argv) {}
    bool notify(QObject *receiver, QEvent *event) override;
};

// What an escaped exception says; for both application objects.
QString EscapedErrorText(std::exception_ptr error);
