#include "can/ui/uFrmLogCAN.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFrmLogCAN::TFrmLogCAN(QWidget *parent) : QDialog(parent)
{
    BuildUi();
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
    mLogGPS->setPlainText(QStringLiteral("mLogGPS"));
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

void TFrmLogCAN::Queue(QStringList &pending, const QString &line)
{
    if (pending.size() >= MaxLines)
        pending.removeFirst();
    pending.append(line);
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void TFrmLogCAN::AddCanLine(const QString &line)
{
    Queue(m_pendingCan, line);
}

void TFrmLogCAN::AddGpsLine(const QString &line)
{
    Queue(m_pendingGps, line);
}

void TFrmLogCAN::FlushPendingLines()
{
    m_flushTimer.stop();
    const auto flush = [](QStringList &pending, QPlainTextEdit *pane) {
        if (pending.isEmpty())
            return;
        pane->appendPlainText(pending.join(QLatin1Char('\n')));
        pending.clear();
    };
    flush(m_pendingCan, mLogCAN);
    flush(m_pendingGps, mLogGPS);
}
