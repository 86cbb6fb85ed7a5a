#include "acquisition/ui/uFrmLogCAN.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void ShowNewLines(QPlainTextEdit &pane, const TTrafficCatchUp &lines)
{
    if (lines.Replace)
        pane.clear();
    // The pane's block limit drops as many of its oldest lines as arrive, in one cut per
    // batch: the cheapest way measured to keep a full pane at its bound.
    if (!lines.Text.isEmpty())
        pane.appendPlainText(lines.Text);
}

}  // namespace

TFrmLogCAN::TFrmLogCAN(QWidget *parent) : QDialog(parent)
{
    BuildUi();
    m_gpsLines.PushText(QStringLiteral("mLogGPS"));
    FlushPendingLines();
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(0);
    connect(&m_flushTimer, &QTimer::timeout, this, &TFrmLogCAN::FlushPendingLines);
}

void TFrmLogCAN::BuildUi()
{
    setObjectName(QStringLiteral("FrmLogCAN"));
    setWindowTitle(QStringLiteral("Log CAN"));
    resize(631, 616);

    auto makePane = [this](const char *name, const char *accessibleName) {
        auto *pane = new QPlainTextEdit(this);
        pane->setObjectName(QString::fromLatin1(name));
        pane->setAccessibleName(QString::fromLatin1(accessibleName));
        pane->setReadOnly(true);
        pane->setMaximumBlockCount(MaxLines);
        pane->setUndoRedoEnabled(false);  // an undo history would grow by every line forever
        pane->setFont(QFont(QStringLiteral("Monospace"), 9));
        return pane;
    };
    mLogCAN = makePane("mLogCAN", "CAN traffic");
    mLogCAN->setLineWrapMode(QPlainTextEdit::NoWrap);
    mLogCAN->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mLogCAN->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mLogCAN->setFixedWidth(328);
    mLogGPS = makePane("mLogGPS", "Speed source traffic");
    mLogGPS->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mLogGPS->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setFixedSize(75, 25);
    btnOK->setAutoDefault(false);
    connect(btnOK, &QPushButton::clicked, this, &TFrmLogCAN::btnOKClick);

    auto *panes = new QHBoxLayout;
    panes->setSpacing(16);
    panes->addWidget(mLogCAN);
    panes->addWidget(mLogGPS, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 16, 8, 15);
    layout->addLayout(panes, 1);
    layout->addSpacing(6);
    layout->addWidget(btnOK, 0, Qt::AlignHCenter);
}

// Esc reaches reject(), which hides the window like the button does.
void TFrmLogCAN::btnOKClick()
{
    hide();
}

void TFrmLogCAN::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FlushPendingLines();
}

void TFrmLogCAN::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    m_flushTimer.stop();
}

void TFrmLogCAN::LinesAdded()
{
    if (isVisible() && !m_flushTimer.isActive())
        m_flushTimer.start();
}

void TFrmLogCAN::AddCanLine(const QString &line)
{
    m_canLines.PushText(line);
    LinesAdded();
}

void TFrmLogCAN::AddCanFrame(const char *prefix, const TPCANMsg &message)
{
    m_canLines.PushFrame(prefix, message);
    LinesAdded();
}

void TFrmLogCAN::AddGpsLine(const QString &line)
{
    m_gpsLines.PushText(line);
    LinesAdded();
}

void TFrmLogCAN::FlushPendingLines()
{
    m_flushTimer.stop();
    ShowNewLines(*mLogCAN, m_canShown.CatchUp(m_canLines));
    ShowNewLines(*mLogGPS, m_gpsShown.CatchUp(m_gpsLines));
}
