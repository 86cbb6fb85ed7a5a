#include "display/ui/uLtrBox.h"

#include "base/uNumberFormat.h"
#include "display/uDisplayRules.h"
#include "display/uLtrWatch.h"
#include "widgets/uLook.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>

TLtrBox::TLtrBox(QWidget *parent) : QGroupBox(QStringLiteral("LTR"), parent)
{
    setObjectName(QStringLiteral("gbLTR"));

    tbLTRthreshold = new QSlider(Qt::Horizontal, this);
    tbLTRthreshold->setObjectName(QStringLiteral("tbLTRthreshold"));
    tbLTRthreshold->setAccessibleName(QStringLiteral("LTR threshold"));
    tbLTRthreshold->setRange(0, 10);
    tbLTRthreshold->setPageStep(1);
    tbLTRthreshold->setValue(TLtrAlarm::DefaultPosition);
    tbLTRthreshold->setTickPosition(QSlider::TicksBelow);
    tbLTRthreshold->setTickInterval(1);
    tbLTRthreshold->setFocusPolicy(Qt::NoFocus);  // not a tab stop

    Label10 = Look::MakeLabel(this, "Label10", QStringLiteral("threshold"), Qt::white);
    Label11 = Look::MakeLabel(this, "Label11", QStringLiteral("LTR value"), QColor(96, 144, 255));
    lLTRthreshold = Look::MakeLabel(this, "lLTRthreshold", QStringLiteral("0,5"), Qt::white, 16);
    lLTR = Look::MakeLabel(this, "lLTR", QStringLiteral("0,000"), Qt::white, 16);
    for (QLabel *value : {lLTRthreshold, lLTR}) {
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // A fixed size keeps a changing text from relaying out (and repainting) the page.
        value->setFixedSize(
            value->fontMetrics().horizontalAdvance(WidestReadoutText(DecodedRange::Ltr, 3)) + 8,
            value->sizeHint().height());
    }
    Look::MakeValueLabel(lLTRthreshold, QStringLiteral("LTR threshold"));
    Look::MakeValueLabel(lLTR, QStringLiteral("LTR value"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(tbLTRthreshold, 0, 0, 1, 2);
    layout->addWidget(Label10, 1, 0);
    layout->addWidget(Label11, 1, 1);
    layout->addWidget(lLTRthreshold, 2, 0);
    layout->addWidget(lLTR, 2, 1);
}

int TLtrBox::Position() const
{
    return tbLTRthreshold->value();
}

void TLtrBox::ShowThreshold(double threshold)
{
    lLTRthreshold->setText(FormatFixed(threshold, 1));
}

void TLtrBox::ShowLtr(double ltr, bool alarm)
{
    if (alarm != m_alarmShown) {
        Look::SetTextColour(lLTR, alarm ? QColor(255, 0, 0) : QColor(Qt::white));
        m_alarmShown = alarm;
    }
    lLTR->setText(FormatFixed(ltr, 3));
}

void TLtrBox::Attach(const TAcquisitionState &state, TLtrWatch &watch)
{
    m_state = &state;
    m_watch = &watch;
    connect(tbLTRthreshold, &QSlider::valueChanged, this, &TLtrBox::onLPTRChange);
}

void TLtrBox::onLPTRChange()
{
    m_watch->Position = Position();
    ShowThreshold(TLtrAlarm::Threshold(Position()));
    m_watch->CheckLtrAlarm();
    ShowLtrAlarm();
}

void TLtrBox::ShowLtrAlarm()
{
    ShowLtr(m_state->Sensors[1].LTR, m_watch->LtrAlarmActive());
}
