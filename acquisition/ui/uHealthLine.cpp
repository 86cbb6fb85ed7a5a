#include "acquisition/ui/uHealthLine.h"

#include "widgets/uLook.h"

THealthLine::THealthLine(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("lHealth"));
    Look::MakeValueLabel(this, QStringLiteral("Data health"));
    Look::SetBold(this);
    // What to do after a failed Connect is longer than the bar is wide: all of it must be read.
    setWordWrap(true);
    Show(THealthText{QStringLiteral("not connected"), false, {}});
}

void THealthLine::Show(const THealthText &text)
{
    // Set only when changed: the display tick would otherwise relayout the bar ten times a second.
    if (text.Line != this->text()) {
        setText(text.Line);
        FitHeight();
    }
    if (text.Identifiers != toolTip())
        setToolTip(text.Identifiers);
    if (text.Alarm != m_alarm || !palette().isBrushSet(QPalette::Active, QPalette::WindowText)) {
        m_alarm = text.Alarm;
        Look::SetTextColour(this, text.Alarm ? QColor(200, 0, 0) : QColor(Qt::black));
    }
}

bool THealthLine::hasHeightForWidth() const
{
    return false;
}

QSize THealthLine::sizeHint() const
{
    return {QLabel::sizeHint().width(), minimumHeight()};
}

void THealthLine::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    FitHeight();
}

void THealthLine::FitHeight()
{
    const int before = minimumHeight();
    setMinimumHeight(0);  // the label counts its minimum into the height the text needs
    const int needed = heightForWidth(width());
    setMinimumHeight(needed > 0 ? needed : before);
}
