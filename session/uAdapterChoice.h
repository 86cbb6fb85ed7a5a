#pragma once
// Which adapter the window uses: the one --can= names, else the first one found; and the
// choice the settings offer.

#include "adapter/uAdapterSearch.h"
#include "settings/uSettings.h"

struct TCanBackend;

// given: --can='s value, empty when it was not given.
QString StartAdapter(const QString &given, const QList<TFoundAdapter> &found);
// What was found, the simulated unit, and the adapter in use where it was not found now (it
// stays choosable: it may be plugged in before Connect). A replay offers only itself.
TAdapterOffer OfferAdapters(const QList<TFoundAdapter> &found, const QString &current);
// The adapter in use, in the window's words.
QString AdapterInUse(const TCanBackend &backend);
