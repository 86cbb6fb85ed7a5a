#pragma once
// The version the about window shows: major.minor of the program file's version.

#include <QString>
#include <QtGlobal>

#include <optional>

// A file version as Windows keeps it: four 16-bit numbers, most significant first.
struct TFileVersion {
    quint16 Major = 0;
    quint16 Minor = 0;
    quint16 Release = 0;
    quint16 Build = 0;
};

// "2.54" for 2.54.0.30; empty when there is no version. Release and build are not shown.
QString GetVersionText(const std::optional<TFileVersion> &version);

// This program's version as the build states it; the build number is 0.
TFileVersion ProgramVersion();

// "0.1.0": major, minor and release, as the command line's --version shows it.
QString FullVersionText(const TFileVersion &version);
