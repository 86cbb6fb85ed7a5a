#include "app/uCommandApplication.h"
#include "support/uWatchedAcquisition.h"

#include <QtTest>

#include <stdexcept>

namespace {

class TThrower : public QObject
{
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("a handler failed");
        return QObject::event(event);
    }
};

}  // namespace

class tst_uCommandApplication : public QObject
{
    Q_OBJECT
private slots:
    void anExceptionFromTheBackendIsTheAdaptersLoss();
    void anyOtherExceptionIsToldAndTheProgramGoesOn();
};

void tst_uCommandApplication::anExceptionFromTheBackendIsTheAdaptersLoss()
{
    TWatched watched;
    QVERIFY(watched.Acquisition.Connect(0x011C));
    watched.Bus.Device()->ThrowFromBackend();
    QCoreApplication::processEvents();
    watched.Acquisition.Drain();
    QCOMPARE(watched.Events.Lines, QStringList({"adapter lost: std::bad_alloc"}));
}

void tst_uCommandApplication::anyOtherExceptionIsToldAndTheProgramGoesOn()
{
    TThrower thrower;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    bool later = false;
    QTimer::singleShot(0, [&later] { later = true; });
    QTRY_VERIFY(later);
}

int main(int argc, char *argv[])
{
    TCommandApplication application(argc, argv);
    tst_uCommandApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_uCommandApplication.moc"
