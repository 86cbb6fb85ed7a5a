#include "display/ui/uCarBox.h"

#include "widgets/uLook.h"
#include "widgets/uPictures.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QColor LampOff(128, 128, 128);  // the backing's grey
const QColor LampColours[] = {Qt::red,           Qt::yellow, QColor(0, 255, 0),
                              QColor(0, 255, 0), Qt::yellow, Qt::red};

// A dark lamp takes the backing's grey rather than hiding: showing and hiding a widget in a
// layout lays the whole window out again, and repaints it, at every change.
void Light(QFrame *lamp, int index, bool lit)
{
    const QColor colour = lit ? LampColours[index] : LampOff;
    if (lamp->palette().color(QPalette::Window) != colour)
        Look::SetFill(lamp, colour);
}

void ShowColumn(const std::array<QFrame *, 6> &lamps, const std::array<bool, 3> &upper,
                const std::array<bool, 3> &lower)
{
    // Lamps 0..2 are H3, H2, H1 (outermost first), 3..5 are L1, L2, L3.
    for (int level = 0; level < 3; ++level) {
        Light(lamps[size_t(2 - level)], 2 - level, upper[size_t(level)]);
        Light(lamps[size_t(3 + level)], 3 + level, lower[size_t(level)]);
    }
}

}  // namespace

TCarBox::TCarBox(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("gbCar"));
    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(4);
    layout->addWidget(BuildLampColumn('X', LeftLamps));
    layout->addWidget(BuildPanel(), 1);
    layout->addWidget(BuildLampColumn('Y', RightLamps));
}

QWidget *TCarBox::BuildLampColumn(const char axis, std::array<QFrame *, 6> &lamps)
{
    auto *backing = new QFrame(this);
    backing->setObjectName(QStringLiteral("shBacking%1").arg(QLatin1Char(axis)));
    backing->setFixedWidth(18);
    backing->setFrameShape(QFrame::Box);
    Look::SetFill(backing, LampOff);

    const char *suffixes[] = {"H3", "H2", "H1", "L1", "L2", "L3"};
    auto *column = new QVBoxLayout(backing);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(1);
    for (int i = 0; i < 6; ++i) {
        auto *lamp = new QFrame(backing);
        lamp->setObjectName(
            QStringLiteral("sh%1%2").arg(QLatin1Char(axis)).arg(QLatin1String(suffixes[i])));
        Look::SetFill(lamp, LampOff);
        lamp->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        column->addWidget(lamp);
        lamps[size_t(i)] = lamp;
    }
    return backing;
}

QWidget *TCarBox::BuildPanel()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Look::SetFill(Panel1, Qt::white);

    Label2 = Look::MakeLabel(Panel1, "Label2", QStringLiteral("Tilt X"), QColor(0, 0, 255));
    Label1 = Look::MakeLabel(Panel1, "Label1", QStringLiteral("Tilt Y"), QColor(0, 128, 0));
    imgWzdluzny =
        new TRotatingPicture(QStringLiteral(":/assets/vehicle_side.svg"), "imgWzdluzny", Panel1);
    imgWzdluzny->setMinimumSize(170, 126);  // design size 227 × 168; shrinks with the window
    imgPoprzeczny =
        new TRotatingPicture(QStringLiteral(":/assets/vehicle_rear.svg"), "imgPoprzeczny", Panel1);
    imgPoprzeczny->setMinimumSize(94, 94);  // design size 125 × 125

    auto *layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(0);
    layout->addWidget(Label2);
    layout->addWidget(imgWzdluzny, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(Label1);
    layout->addWidget(imgPoprzeczny, 0, Qt::AlignHCenter);

    // The level line across the panel at half height, for judging the turned pictures.
    Shape2 = new QFrame(Panel1);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setFrameShape(QFrame::HLine);
    Shape2->setFixedHeight(1);
    Look::SetTextColour(Shape2, QColor(96, 96, 96));
    Shape2->lower();
    Panel1->installEventFilter(this);
    return Panel1;
}

bool TCarBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel1 && event->type() == QEvent::Resize)
        Shape2->setGeometry(0, Panel1->height() / 2, Panel1->width(), 1);
    return QGroupBox::eventFilter(watched, event);
}

void TCarBox::ShowLamps(double tiltX, double tiltY)
{
    const TLampColumn x = LampsFor(tiltX);
    const TLampColumn y = LampsFor(tiltY);
    ShowColumn(LeftLamps, x.Positive, x.Negative);   // a positive TiltX lights upwards
    ShowColumn(RightLamps, y.Negative, y.Positive);  // a positive TiltY lights downwards
}
