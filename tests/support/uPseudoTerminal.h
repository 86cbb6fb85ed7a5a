#pragma once
// A pseudo-terminal whose slave end stands in for a serial port (Linux only): the program
// opens SlaveName(), a test plays the receiver on Master.

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <QString>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

class TPseudoTerminal
{
public:
    TPseudoTerminal() : Master(posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (Master >= 0 && (grantpt(Master) != 0 || unlockpt(Master) != 0)) {
            close(Master);
            Master = -1;
        }
    }
    ~TPseudoTerminal()
    {
        if (Master >= 0)
            close(Master);
    }
    TPseudoTerminal(const TPseudoTerminal &) = delete;
    TPseudoTerminal &operator=(const TPseudoTerminal &) = delete;

    bool IsOpen() const { return Master >= 0; }
    QString SlaveName() const { return QString::fromLocal8Bit(ptsname(Master)); }

    int Master = -1;
};
#endif
