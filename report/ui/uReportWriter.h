#pragma once
// The drive report as a file: a PDF of its pages, or, for a name ending in ".png", an image
// of the first page for a quick look. The file appears whole or not at all.

#include "report/uDriveReport.h"

#include <QString>

bool WriteDriveReport(const TDriveReport &report, const QString &path, QString *error);
