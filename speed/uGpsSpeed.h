#pragma once
// Speed and position from the NMEA sentences of a GPS receiver (talker GP).

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

// Position texts of the last GGA sentence as received (ddmm.mmmm and dddmm.mmmm, hemisphere
// letters not taken), with the locale's decimal separator.
struct TGpsPosition {
    QString Latitude;
    QString Longitude;
};

// What one sentence changes in the main window's state.
struct TGpsSentenceEffect {
    std::optional<double> SourceSpeed;     // km/h, from VTG or RMC
    std::optional<TGpsPosition> Position;  // from GGA
    QStringList GpsLines;                  // for the traffic window's right pane, in order
};

// body: the sentence after "$GP" up to, not including, CR LF, checksum included, e.g.
// "VTG,054.7,T,034.4,M,005.5,N,010.2,K*48". Bodies of 5 bytes or fewer, other sentence types
// and sentences that lack the field read or carry no number in it change nothing. The checksum
// is not verified.
TGpsSentenceEffect ReadGpsSentence(const QByteArray &body, const QLocale &locale = QLocale());
