#include "app/ui/uApplication.h"

#include "base/uConsts.h"

#include <QMessageBox>

#include <exception>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromUtf8(Consts::AppTitle));
    setApplicationDisplayName(QString::fromUtf8(Consts::AppTitle));
    setApplicationVersion(
        QStringLiteral("%1.%2").arg(TELQAR_VERSION_MAJOR).arg(TELQAR_VERSION_MINOR));
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    QString message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        message = QString::fromLocal8Bit(error.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    QMessageBox::critical(activeWindow(), QString::fromUtf8(Consts::AppTitle), message);
    return false;
}
