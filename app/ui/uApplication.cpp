#include "app/ui/uApplication.h"

#include "adapter/PCANBasic.h"
#include "app/uCommandApplication.h"
#include "base/uConsts.h"

#include <QIcon>
#include <QMessageBox>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // No display name of its own: a desktop would add it to every title that does not end with
    // it, "Logger TELQAR (simulated unit) — Logger TELQAR"; the titles say what they are.
    setApplicationName(QString::fromUtf8(Consts::AppTitle));
    setApplicationVersion(
        QStringLiteral("%1.%2").arg(TELQAR_VERSION_MAJOR).arg(TELQAR_VERSION_MINOR));
    setWindowIcon(QIcon(QStringLiteral(":/assets/app_icon.svg")));
    // Lets a Wayland desktop match the windows with the installed menu entry and its icon.
    setDesktopFileName(QStringLiteral(TELQAR_APP_ID));
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const QString message = EscapedErrorText(std::current_exception());
        // The backend's own failure is the adapter's loss, which the channel reports and
        // recovers from; a box would only stop the user.
        if (!TPCANBasic::NoteBackendFault(receiver, message))
            QMessageBox::critical(activeWindow(), QString::fromUtf8(Consts::AppTitle), message);
    }
    return false;
}
