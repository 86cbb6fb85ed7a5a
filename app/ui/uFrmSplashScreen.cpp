#include "app/ui/uFrmSplashScreen.h"

#include "app/uVersionText.h"
#include "widgets/uLook.h"
#include "widgets/uPictures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSvgRenderer>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr QLatin1String Caption("About");
constexpr QLatin1String Title("Logger TELQAR");
constexpr QLatin1String ProductTitle("Ombrelith");
constexpr QLatin1String VersionPrefix("ver. ");
constexpr QLatin1String VersionDescription("Version");
constexpr QLatin1String MadeForCaption("Made for");
constexpr QLatin1String ByCaption("by");
constexpr QLatin1String AuthorCredit("Software: the Logger TELQAR developers");
constexpr QLatin1String YearCredit("2026");
constexpr QLatin1String RightsCredit("All rights reserved.");
constexpr QLatin1String OkCaption("OK");

constexpr int CloseAfterMs = 30000;

// A logo at the size its artwork was drawn for.
TSvgPicture *MakeLogo(QWidget *parent, const char *name, const QString &resource,
                      const QString &accessibleName)
{
    auto *logo = new TSvgPicture(resource, name, parent);
    logo->setFixedSize(QSvgRenderer(resource).defaultSize());
    logo->setAccessibleName(accessibleName);
    return logo;
}

QLabel *MakeCentred(QWidget *parent, const char *name, const QString &text, int pixelSize = 0)
{
    QLabel *label = Look::MakeLabel(parent, name, text, Qt::white, pixelSize);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

TfrmSplashScreen::TfrmSplashScreen(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    BuildUi();
    connect(JvImgBtn1, &QPushButton::clicked, this, &TfrmSplashScreen::JvImgBtn1Click);
    connect(Timer1, &QTimer::timeout, this, &TfrmSplashScreen::Timer1Timer);
    FormCreate();
}

void TfrmSplashScreen::BuildUi()
{
    setObjectName(QStringLiteral("FrmSplashScreen"));
    setWindowTitle(Caption);
    // The black panel shows as a thin frame around the gradient: without a title bar the
    // window needs an edge against whatever lies behind it.
    Look::SetFill(this, Qt::black);

    auto *background = new TGradientBackground(this);

    lTytul = MakeCentred(background, "lTytul", Title, 24);
    JvBehaviorLabel1 = MakeCentred(background, "JvBehaviorLabel1", ProductTitle, 20);
    JvBehaviorLabel1->setWordWrap(true);
    lWersja = MakeCentred(background, "lWersja", VersionPrefix);
    Look::MakeValueLabel(lWersja, VersionDescription);

    Label1 = MakeCentred(background, "Label1", MadeForCaption);
    JvImageRotate1 =
        MakeLogo(background, "JvImageRotate1", QStringLiteral(":/assets/about_customer.svg"),
                 QStringLiteral("Customer logo"));
    Label5 = MakeCentred(background, "Label5", ByCaption);
    JvImageRotate2 =
        MakeLogo(background, "JvImageRotate2", QStringLiteral(":/assets/about_comaker.svg"),
                 QStringLiteral("Co-maker logo"));
    JvImageRotate3 =
        MakeLogo(background, "JvImageRotate3", QStringLiteral(":/assets/about_maker.svg"),
                 QStringLiteral("Maker logo"));

    Label3 = MakeCentred(background, "Label3", AuthorCredit);
    Label3->setWordWrap(true);
    Label4 = MakeCentred(background, "Label4", YearCredit);
    Label6 = MakeCentred(background, "Label6", RightsCredit);

    JvImgBtn1 = new QPushButton(OkCaption, background);
    JvImgBtn1->setObjectName(QStringLiteral("JvImgBtn1"));
    JvImgBtn1->setDefault(true);
    JvImgBtn1->setFixedSize(75, 25);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(CloseAfterMs);
    Timer1->setSingleShot(true);

    auto *makers = new QHBoxLayout;
    makers->setSpacing(10);
    makers->addStretch(1);
    makers->addWidget(JvImageRotate2);
    makers->addWidget(JvImageRotate3);
    makers->addStretch(1);

    auto *content = new QVBoxLayout(background);
    content->setContentsMargins(14, 18, 14, 14);
    content->setSpacing(4);
    content->addWidget(lTytul);
    content->addWidget(JvBehaviorLabel1);
    content->addWidget(lWersja);
    content->addStretch(2);
    content->addWidget(Label1);
    content->addWidget(JvImageRotate1, 0, Qt::AlignHCenter);
    content->addSpacing(10);
    content->addWidget(Label5);
    content->addLayout(makers);
    content->addStretch(2);
    content->addWidget(Label3);
    content->addWidget(Label4);
    content->addWidget(Label6);
    content->addStretch(1);
    content->addWidget(JvImgBtn1, 0, Qt::AlignHCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(background);

    // Design size; larger fonts may make it grow, the layout keeps it from shrinking.
    resize(QSize(315, 491).expandedTo(minimumSizeHint()));
}

void TfrmSplashScreen::FormCreate()
{
    lWersja->setText(VersionPrefix + GetVersionText(ProgramVersion()));
    Timer1->start();
}

void TfrmSplashScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// Centred on the screen, not on the main window as a dialog would be by default; done on
// every showing, as the main window may have moved to another screen meanwhile.
void TfrmSplashScreen::FormShow()
{
    Timer1->stop();
    const QWidget *owner = parentWidget() ? parentWidget()->window() : this;
    if (const QScreen *screen = owner->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmSplashScreen::JvImgBtn1Click()
{
    accept();
}

void TfrmSplashScreen::Timer1Timer()
{
    close();
}
