#include "app/uCommandApplication.h"

#include "adapter/PCANBasic.h"

#include <QTextStream>

#include <exception>

QString EscapedErrorText(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &escaped) {
        return QString::fromLocal8Bit(escaped.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

bool TCommandApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QCoreApplication::notify(receiver, event);
    } catch (...) {
        const QString message = EscapedErrorText(std::current_exception());
        if (!TPCANBasic::NoteBackendFault(receiver, message))
            QTextStream(stderr) << applicationName() << ": " << message << Qt::endl;
    }
    return false;
}
