#include "app/uVersionText.h"

QString GetVersionText(const std::optional<TFileVersion> &version)
{
    if (!version)
        return {};
    return QStringLiteral("%1.%2").arg(version->Major).arg(version->Minor);
}

TFileVersion ProgramVersion()
{
    return {TELQAR_VERSION_MAJOR, TELQAR_VERSION_MINOR, TELQAR_VERSION_PATCH, 0};
}

QString FullVersionText(const TFileVersion &version)
{
    return QStringLiteral("%1.%2.%3").arg(version.Major).arg(version.Minor).arg(version.Release);
}
