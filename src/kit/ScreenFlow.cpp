#include "kit/ScreenFlow.h"

namespace {
ScreenFlow* g_current = nullptr;
}

ScreenFlow* ScreenFlow::Current() { return g_current; }

ScreenFlow::ScreenFlow() { g_current = this; }

ScreenFlow::~ScreenFlow()
{
    if (g_current == this)
        g_current = nullptr;
}

QString ArchiveMarker(Archive archive)
{
    return archive == Archive::Database ? QStringLiteral("database") : QStringLiteral("clienti");
}
