#pragma once
// Writes a log's report away from the window's thread: a long drive takes a second or two to
// read and draw, and the CAN tick must go on meanwhile. done runs on context's thread.

#include <QString>

#include <functional>

class QObject;

void WriteDriveReportInBackground(QObject *context, const QString &logPath,
                                  const QString &reportPath,
                                  std::function<void(const QString &error)> done);
