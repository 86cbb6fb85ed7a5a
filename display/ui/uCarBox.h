#pragma once
// The vehicle drawing of the Logging page: the side and rear views turned by the tilts,
// between two lamp columns that show the size and sign of each tilt.

#include "display/uDisplayRules.h"

#include <QGroupBox>

#include <array>

class QFrame;
class QLabel;
class TRotatingPicture;

class TCarBox : public QGroupBox
{
public:
    explicit TCarBox(QWidget *parent = nullptr);

    void ShowLamps(double tiltX, double tiltY);

    // Top to bottom: H3 red, H2 yellow, H1 lime, L1 lime, L2 yellow, L3 red.
    std::array<QFrame *, 6> LeftLamps{};   // shXH3, shXH2, shXH1, shXL1, shXL2, shXL3
    std::array<QFrame *, 6> RightLamps{};  // shYH3, shYH2, shYH1, shYL1, shYL2, shYL3
    QWidget *Panel1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
    TRotatingPicture *imgWzdluzny = nullptr;
    TRotatingPicture *imgPoprzeczny = nullptr;
    QFrame *Shape2 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *BuildLampColumn(const char axis, std::array<QFrame *, 6> &lamps);
    QWidget *BuildPanel();
};
