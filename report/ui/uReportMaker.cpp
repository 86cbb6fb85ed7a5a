#include "report/ui/uReportMaker.h"

#include "report/ui/uReportWriter.h"

#include <QThread>

#include <memory>

void WriteDriveReportInBackground(QObject *context, const QString &logPath,
                                  const QString &reportPath,
                                  std::function<void(const QString &error)> done)
{
    auto error = std::make_shared<QString>();
    QThread *worker = QThread::create([logPath, reportPath, error] {
        TDriveReport report;
        if (ReadDriveReport(logPath, std::nullopt, &report, error.get()))
            WriteDriveReport(report, reportPath, error.get());
    });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    QObject::connect(worker, &QThread::finished, context, [error, done] { done(*error); });
    worker->start();
}
