#pragma once
// Speed from the binary messages of a VBOX data logger.

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

struct TVboxSpeed {
    double SourceSpeed = 0;   // km/h, 0 to 1213.7082
    QString SimSpeedCaption;  // for lSimSpeed, two decimals
    // The main window runs SendSpeedFrame: the speed simulation is not running and the chassis
    // identifier can form the frame's identifier.
    bool RelaySpeed = false;
};

// What one message changes in the main window's state.
struct TVboxPayloadEffect {
    std::optional<TVboxSpeed> Speed;  // none for a payload cut short
    QStringList GpsLines;             // for the traffic window's right pane, in order
};

// payload: the 34 bytes that follow "$VBOX3i," in a 42-byte message; bytes 21 (low) and
// 22 (high) hold the speed in hundredths of a knot, nothing else is read. Any length is
// accepted; one shorter than 23 bytes gives only a line saying so.
// chassisCanId: the chassis identifier text, which the speed frame is sent on.
TVboxPayloadEffect ReadVboxPayload(const QByteArray &payload, const QString &chassisCanId,
                                   bool speedSimulationRunning, const QLocale &locale = QLocale());
