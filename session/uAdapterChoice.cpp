#include "session/uAdapterChoice.h"

#include "session/uCanBackend.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString FoundCaption(const TFoundAdapter &adapter)
{
    QString state;
    if (adapter.Plugin == QLatin1String("socketcan"))
        state = !adapter.Up       ? QStringLiteral("down")
                : adapter.BitRate ? QStringLiteral("up, %1 kbit/s").arg(adapter.BitRate / 1000.0)
                                  : QStringLiteral("up");
    const QString words = adapter.Description.isEmpty() || state.isEmpty()
                              ? adapter.Description + state
                              : adapter.Description + QStringLiteral(", ") + state;
    return words.isEmpty() ? adapter.Backend()
                           : QStringLiteral("%1 (%2)").arg(adapter.Backend(), words);
}

}  // namespace

QString StartAdapter(const QString &given, const QList<TFoundAdapter> &found)
{
    if (!given.isEmpty())
        return given;
    const QString first = FirstAdapterFound(found);
    return first.isEmpty() ? QString::fromLatin1(TCanBackend::Default) : first;
}

TAdapterOffer OfferAdapters(const QList<TFoundAdapter> &found, const QString &current)
{
    TCanBackend backend;
    const bool known = TCanBackend::Parse(current, backend);
    if (known && !backend.TraceFile.isEmpty())
        return {{{current, AdapterInUse(backend)}}, true};
    TAdapterOffer offer;
    for (const TFoundAdapter &adapter : found)
        offer.Choices << TAdapterChoice{adapter.Backend(), FoundCaption(adapter)};
    TCanBackend simulated;
    simulated.Simulated = true;
    offer.Choices << TAdapterChoice{simulated.Text(), QStringLiteral("sim (simulated unit)")};
    const bool listed =
        std::any_of(offer.Choices.cbegin(), offer.Choices.cend(),
                    [&current](const TAdapterChoice &choice) { return choice.Backend == current; });
    if (known && !listed)
        offer.Choices.prepend({current, QStringLiteral("%1 (not found now)").arg(current)});
    return offer;
}

QString AdapterInUse(const TCanBackend &backend)
{
    if (backend.Simulated)
        return QStringLiteral("simulated unit");
    if (!backend.TraceFile.isEmpty())
        return QStringLiteral("replay of %1").arg(QFileInfo(backend.TraceFile).fileName());
    return backend.Text();
}
