#pragma once
// The Visualisation page: two round gauges turned by the tilts over a background with scale
// arcs, whose halves light up yellow and red as the tilts grow, and the warning triangle.

#include "display/uDisplayRules.h"

#include <QWidget>

#include <array>

class QLabel;
class TRotatingPicture;
class TSvgPicture;

class TVisualisationPage : public QWidget
{
public:
    explicit TVisualisationPage(QWidget *parent = nullptr);

    void ShowZones(TZone tiltXZone, TZone tiltYZone);
    void ShowValues(double tiltX, double tiltY, quint8 status);
    // The unit's tilts, status and zones, the gauges turned as planned.
    void ShowUnit(const TSensorSample &unit, const TPictureTurns &turns);

    QWidget *Panel2 = nullptr;
    TSvgPicture *Image2 = nullptr;
    TRotatingPicture *imgVisY = nullptr;  // left: rear view, lateral tilt
    TRotatingPicture *imgVisX = nullptr;  // right: side view, longitudinal tilt
    QLabel *lVisY = nullptr;
    QLabel *lVisX = nullptr;
    TSvgPicture *imgTrojkat = nullptr;
    // Overlays in the order yellow up, yellow and red up, yellow down, yellow and red down.
    std::array<TSvgPicture *, 4> LeftOverlays{};   // imgLupY, imgLupYR, imgLdnY, imgLdnYR
    std::array<TSvgPicture *, 4> RightOverlays{};  // imgRupY, imgRupYR, imgRdnY, imgRdnYR

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PlaceElements();
};
