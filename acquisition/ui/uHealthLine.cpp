#include "acquisition/ui/uHealthLine.h"

#include "widgets/uLook.h"

THealthLine::THealthLine(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("lHealth"));
    Look::MakeValueLabel(this, QStringLiteral("Data health"));
    Look::SetBold(this);
    Show(THealthText{QStringLiteral("not connected"), false, {}});
}

void THealthLine::Show(const THealthText &text)
{
    // Set only when changed: the display tick would otherwise relayout the bar ten times a second.
    if (text.Line != this->text())
        setText(text.Line);
    if (text.Identifiers != toolTip())
        setToolTip(text.Identifiers);
    if (text.Alarm != m_alarm || !palette().isBrushSet(QPalette::Active, QPalette::WindowText)) {
        m_alarm = text.Alarm;
        Look::SetTextColour(this, text.Alarm ? QColor(200, 0, 0) : QColor(Qt::black));
    }
}
