#include "display/ui/uVisualisationPage.h"

#include "widgets/uLook.h"
#include "widgets/uPictures.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Design of the background drawing: 480 × 240 with the gauges' centres at (120, 120) and
// (360, 120); every element is placed in these units and scaled with the page.
constexpr double DesignWidth = 480;
constexpr double DesignHeight = 240;
constexpr double GaugeSize = 118;
constexpr double LabelHeight = 36;

void ShowZone(const std::array<TSvgPicture *, 4> &overlays, TZone zone)
{
    const TZone zones[] = {TZone::UpYellow, TZone::UpRed, TZone::DownYellow, TZone::DownRed};
    for (size_t i = 0; i < overlays.size(); ++i)
        overlays[i]->setVisible(zone == zones[i]);
}

}  // namespace

TVisualisationPage::TVisualisationPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tsVisualisation"));
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Look::SetFill(Panel2, QColor(32, 32, 32));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Panel2);

    Image2 = new TSvgPicture(QStringLiteral(":/assets/gauge_background.svg"), "Image2", Panel2);
    const char *names[] = {"imgLupY", "imgLupYR", "imgLdnY", "imgLdnYR",
                           "imgRupY", "imgRupYR", "imgRdnY", "imgRdnYR"};
    const char *files[] = {"arc_left_up_y",  "arc_left_up_yr", "arc_left_dn_y",
                           "arc_left_dn_yr", "arc_right_up_y", "arc_right_up_yr",
                           "arc_right_dn_y", "arc_right_dn_yr"};
    for (int i = 0; i < 8; ++i) {
        auto *overlay = new TSvgPicture(
            QStringLiteral(":/assets/%1.svg").arg(QLatin1String(files[i])), names[i], Panel2);
        overlay->setVisible(false);
        (i < 4 ? LeftOverlays : RightOverlays)[size_t(i % 4)] = overlay;
    }
    imgVisY = new TRotatingPicture(QStringLiteral(":/assets/gauge_rear.svg"), "imgVisY", Panel2);
    imgVisX = new TRotatingPicture(QStringLiteral(":/assets/gauge_side.svg"), "imgVisX", Panel2);
    imgTrojkat = new TSvgPicture(QStringLiteral(":/assets/warning.svg"), "imgTrojkat", Panel2);
    imgTrojkat->setVisible(false);

    for (auto [label, name, description] : {std::tuple{&lVisY, "lVisY", "Gauge tilt Y"},
                                            std::tuple{&lVisX, "lVisX", "Gauge tilt X"}}) {
        *label = Look::MakeLabel(Panel2, name, QStringLiteral("000"), Qt::white);
        Look::SetBold(*label, 24);
        (*label)->setAlignment(Qt::AlignCenter);
        Look::SetFill(*label, Qt::black);
        Look::MakeValueLabel(*label, QString::fromLatin1(description));
    }
    Panel2->installEventFilter(this);
}

bool TVisualisationPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel2 && event->type() == QEvent::Resize)
        PlaceElements();
    return QWidget::eventFilter(watched, event);
}

void TVisualisationPage::PlaceElements()
{
    const double scale = std::min(Panel2->width() / DesignWidth,
                                  (Panel2->height() - LabelHeight) / (DesignHeight + LabelHeight));
    const QPointF origin((Panel2->width() - DesignWidth * scale) / 2,
                         (Panel2->height() - (DesignHeight + LabelHeight) * scale) / 2);
    const auto place = [&](QWidget *widget, double x, double y, double w, double h) {
        widget->setGeometry(QRectF(origin + QPointF(x, y) * scale, QSizeF(w, h) * scale).toRect());
    };
    place(Image2, 0, 0, DesignWidth, DesignHeight);
    for (TSvgPicture *overlay : LeftOverlays)
        place(overlay, 0, 0, DesignWidth, DesignHeight);
    for (TSvgPicture *overlay : RightOverlays)
        place(overlay, 0, 0, DesignWidth, DesignHeight);
    place(imgVisY, 120 - GaugeSize / 2, 120 - GaugeSize / 2, GaugeSize, GaugeSize);
    place(imgVisX, 360 - GaugeSize / 2, 120 - GaugeSize / 2, GaugeSize, GaugeSize);
    place(imgTrojkat, 240 - 24, 12, 48, 42);
    place(lVisY, 120 - 60, DesignHeight + 2, 120, LabelHeight - 4);
    place(lVisX, 360 - 60, DesignHeight + 2, 120, LabelHeight - 4);
    QFont font = lVisY->font();
    font.setPixelSize(std::max(10, int(24 * scale)));
    lVisY->setFont(font);
    lVisX->setFont(font);
}

void TVisualisationPage::ShowZones(TZone tiltXZone, TZone tiltYZone)
{
    ShowZone(RightOverlays, tiltXZone);
    ShowZone(LeftOverlays, tiltYZone);
}

void TVisualisationPage::ShowValues(double tiltX, double tiltY, quint8 status)
{
    lVisY->setText(FormatAngle(tiltY));
    lVisX->setText(FormatAngle(tiltX));
    imgTrojkat->setVisible(WarningShown(status));
}

void TVisualisationPage::ShowUnit(const TSensorSample &unit, const TPictureTurns &turns)
{
    if (turns.VisX)
        imgVisX->SetAngle(*turns.VisX);
    if (turns.VisY)
        imgVisY->SetAngle(*turns.VisY);
    ShowValues(unit.TiltX, unit.TiltY, unit.Status);
    ShowZones(ZoneOfTiltX(unit.TiltX), ZoneOfTiltY(unit.TiltY));
}
