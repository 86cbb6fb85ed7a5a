#pragma once
// A device that accepts nothing, like a full disk.

#include <QIODevice>

class TFullDisk : public QIODevice
{
public:
    TFullDisk()
    {
        open(QIODevice::WriteOnly);
        setErrorString(QStringLiteral("No space left on device"));
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64) override { return -1; }
};
