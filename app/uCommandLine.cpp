#include "app/uCommandLine.h"

#include "session/uCanBackend.h"

bool IsNamedOption(const QString &argument)
{
    return argument.startsWith(QLatin1String("--")) && argument.contains(QLatin1Char('='));
}

TCommandLine ParseCommandLine(const QStringList &arguments)
{
    TCommandLine result;
    QStringList plain;
    for (const QString &argument : arguments) {
        if (!IsNamedOption(argument)) {
            plain << argument;
            continue;
        }
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.mid(2, equals - 2);
        const QString value = argument.mid(equals + 1);
        TCanBackend backend;
        QString error;
        if (name == QLatin1String("can") && TCanBackend::Parse(value, backend))
            result.CanBackend = value;
        else if (!SimulatedDrops::IsOption(name))
            result.Problems << argument;
        else if (!SimulatedDrops::ReadOption(name, value, result.Drops, &error)
                 && result.Error.isEmpty())
            result.Error = error;
    }
    TCanBackend backend;
    TCanBackend::Parse(result.CanBackend, backend);
    if (result.Error.isEmpty())
        SimulatedDrops::FitBackend(result.Drops, backend.Simulated, &result.Error);
    result.CanLogEnabled = !plain.isEmpty() && plain.first().toUpper() == QLatin1String("D");
    return result;
}
