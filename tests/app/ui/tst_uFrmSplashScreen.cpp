#include "app/uVersionText.h"
#include "app/ui/uFrmSplashScreen.h"
#include "widgets/uPictures.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using TOptionalVersion = std::optional<TFileVersion>;
Q_DECLARE_METATYPE(TOptionalVersion)

class TestAbout : public QObject
{
    Q_OBJECT
private slots:
    // The program loads the artwork when it creates its windows.
    void initTestCase() { Q_INIT_RESOURCE(assets); }

    void versionText_data()
    {
        QTest::addColumn<TOptionalVersion>("version");
        QTest::addColumn<QString>("text");
        QTest::newRow("release and build not shown")
            << TOptionalVersion(TFileVersion{2, 54, 0, 30}) << QStringLiteral("2.54");
        QTest::newRow("minor 0 kept")
            << TOptionalVersion(TFileVersion{3, 0, 7, 1}) << QStringLiteral("3.0");
        QTest::newRow("16-bit maximum, unsigned")
            << TOptionalVersion(TFileVersion{65535, 65535, 65535, 65535})
            << QStringLiteral("65535.65535");
        QTest::newRow("no version") << TOptionalVersion() << QString();
    }
    void versionText()
    {
        QFETCH(TOptionalVersion, version);
        QFETCH(QString, text);
        QCOMPARE(GetVersionText(version), text);
    }

    void versionAndLogos()
    {
        TfrmSplashScreen about;
        for (const QWidget *logo :
             {about.JvImageRotate1, about.JvImageRotate2, about.JvImageRotate3})
            QVERIFY2(!logo->size().isEmpty(), qPrintable(logo->objectName()));
        QCOMPARE(about.lWersja->text(),
                 QStringLiteral("ver. %1.%2").arg(TELQAR_VERSION_MAJOR).arg(TELQAR_VERSION_MINOR));
        QCOMPARE(about.lWersja->accessibleDescription(), QStringLiteral("Version"));
    }

    // The close timer runs from creation; any showing stops it, so a window a user is reading
    // never vanishes, not even on a later showing.
    void showingStopsTheCloseTimer()
    {
        TfrmSplashScreen about;
        QVERIFY(about.Timer1->isActive());
        QCOMPARE(about.Timer1->interval(), 30000);
        for (int showing = 0; showing < 2; ++showing) {
            about.show();
            QVERIFY(!about.Timer1->isActive());
            QTest::mouseClick(about.JvImgBtn1, Qt::LeftButton);
            QVERIFY(!about.isVisible());
        }
    }
};

QTEST_MAIN(TestAbout)
#include "tst_uFrmSplashScreen.moc"
