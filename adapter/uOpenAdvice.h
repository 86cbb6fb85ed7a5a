#pragma once
// A failed Connect in the plugin's words, with what to do first: the library that is missing,
// the plugin that does not exist, the permission, the adapter another program holds.

#include <QString>

QString AdvisedOpenProblem(const QString &plugin, const QString &reason);
