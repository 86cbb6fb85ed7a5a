#include "app/ui/uFrmChangeLog.h"

#include "app/uChangeLogText.h"
#include "base/uDataFiles.h"
#include "widgets/uLook.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr QLatin1String Caption("Changelog");
constexpr QLatin1String ProductTitle("Ombrelith");
constexpr QLatin1String OkCaption("OK");

}  // namespace

TFrmChangeLog::TFrmChangeLog(QWidget *parent) : QDialog(parent)
{
    BuildUi();
    connect(JvImgBtn1, &QPushButton::clicked, this, &TFrmChangeLog::JvImgBtn1Click);
}

void TFrmChangeLog::BuildUi()
{
    setObjectName(QStringLiteral("FrmChangeLog"));
    setWindowTitle(Caption);

    auto *background = new TGradientBackground(this);

    lTytul = Look::MakeLabel(background, "lTytul", ProductTitle, Qt::white, 20);
    lTytul->setAlignment(Qt::AlignCenter);
    lTytul->setWordWrap(true);

    Memo1 = new QPlainTextEdit(background);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(Caption);
    Memo1->setReadOnly(true);
    Memo1->setUndoRedoEnabled(false);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(ChangeLogFallbackText());

    // Default for Enter and, as every dialog's Escape does, cancel.
    JvImgBtn1 = new QPushButton(OkCaption, background);
    JvImgBtn1->setObjectName(QStringLiteral("JvImgBtn1"));
    JvImgBtn1->setDefault(true);
    JvImgBtn1->setFixedSize(75, 25);

    auto *content = new QVBoxLayout(background);
    content->setContentsMargins(12, 10, 12, 12);
    content->setSpacing(8);
    content->addWidget(lTytul);
    content->addWidget(Memo1, 1);
    content->addWidget(JvImgBtn1, 0, Qt::AlignHCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(background);

    setFixedSize(401, 411);
    // The button, not the text, has the focus, so Enter closes at once.
    JvImgBtn1->setFocus();
}

void TFrmChangeLog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A spontaneous show is the window coming back from the task bar, not an opening.
    if (!event->spontaneous())
        FormShow();
}

// The working folder's file first: a user's own changelog there wins over the installed one.
void TFrmChangeLog::FormShow()
{
    Memo1->setPlainText(
        ReloadChangeLog(SampleFilePath(QLatin1String(ChangeLogFileName)), Memo1->toPlainText()));
}

void TFrmChangeLog::JvImgBtn1Click()
{
    accept();
}
