#pragma once
// An events sink that keeps what it is told, a line an event: "event | details".

#include "base/uDriveEvents.h"

#include <QStringList>

class TEventList : public TEventSink
{
public:
    void DriveEventOccurred(const char *event, const QString &details) override
    {
        Lines << QString::fromUtf8(event) + QStringLiteral(" | ") + details;
    }

    QStringList Lines;
};
