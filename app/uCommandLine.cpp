#include "app/uCommandLine.h"

#include "session/uCanBackend.h"

bool IsNamedOption(const QString &argument)
{
    return argument.startsWith(QLatin1String("--")) && argument.contains(QLatin1Char('='));
}

namespace {

// A mistaken adapter must not start the window on another one without a word.
void Fail(TCommandLine &result, const QString &error)
{
    if (result.Error.isEmpty())
        result.Error = error;
}

bool IsOwnOptionName(const QString &name)
{
    return name == QLatin1String("can") || SimulatedDrops::IsOption(name);
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList &arguments)
{
    TCommandLine result;
    QStringList plain;
    for (const QString &argument : arguments) {
        if (!IsNamedOption(argument)) {
            if (argument.startsWith(QLatin1String("--")) && IsOwnOptionName(argument.mid(2)))
                Fail(result, QStringLiteral("%1 takes its value after '=': %1=VALUE").arg(argument));
            plain << argument;
            continue;
        }
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.mid(2, equals - 2);
        const QString value = argument.mid(equals + 1);
        TCanBackend backend;
        QString error;
        if (name == QLatin1String("can")) {
            if (TCanBackend::Parse(value, backend))
                result.CanBackend = value;
            else
                Fail(result, QStringLiteral("--can=%1 names no adapter: give sim, replay:FILE or "
                                            "PLUGIN:INTERFACE, such as socketcan:can0")
                                 .arg(value));
        } else if (!SimulatedDrops::IsOption(name)) {
            result.Problems << argument;
        } else if (!SimulatedDrops::ReadOption(name, value, result.Drops, &error)) {
            Fail(result, error);
        }
    }
    TCanBackend backend;
    TCanBackend::Parse(result.CanBackend, backend);
    if (result.Error.isEmpty())
        SimulatedDrops::FitBackend(result.Drops, backend.Simulated, &result.Error);
    result.CanLogEnabled = !plain.isEmpty() && plain.first().toUpper() == QLatin1String("D");
    return result;
}
