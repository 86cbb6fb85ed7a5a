#include "app/ui/uApplication.h"
#include "support/uModal.h"

#include <QMessageBox>
#include <QtTest>

#include <stdexcept>

namespace {

// A handler that fails, as one reading a broken file might.
class TFailingHandler : public QObject
{
protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("Cannot open file log_001.csv");
        return QObject::event(event);
    }
};

}  // namespace

class tst_uApplication : public QObject
{
    Q_OBJECT
private slots:
    void anEscapedExceptionIsShownAndTheProgramGoesOn()
    {
        TFailingHandler handler;
        QString shown;
        OnNextModal([&shown](QWidget *box) {
            shown = static_cast<QMessageBox *>(box)->text();
            box->close();
        });
        QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
        QTRY_COMPARE(shown, QStringLiteral("Cannot open file log_001.csv"));
        bool later = false;
        QTimer::singleShot(0, [&later] { later = true; });
        QTRY_VERIFY(later);  // the message loop still runs
    }
};

int main(int argc, char *argv[])
{
    TApplication application(argc, argv);
    tst_uApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_uApplication.moc"
