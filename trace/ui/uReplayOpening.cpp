#include "trace/ui/uReplayOpening.h"

#include "base/uConsts.h"

#include <QFileInfo>
#include <QProgressDialog>

bool OpenReplay(TReplay &replay, const QString &path, QString *error,
                const TReplay::TProgress &alsoTell)
{
    constexpr int Steps = 1000;
    QProgressDialog dialog(QStringLiteral("Reading the trace %1").arg(QFileInfo(path).fileName()),
                           QStringLiteral("Cancel"), 0, Steps);
    dialog.setWindowTitle(QString::fromUtf8(Consts::AppTitle));
    dialog.setMinimumDuration(500);
    // Modal, so that it takes its events (Cancel, painting) while the trace is read.
    dialog.setWindowModality(Qt::ApplicationModal);
    return replay.Load(path, error, [&](qint64 done, qint64 total) {
        dialog.setValue(total > 0 ? int(std::min(done, total) * Steps / total) : 0);
        return (!alsoTell || alsoTell(done, total)) && !dialog.wasCanceled();
    });
}
