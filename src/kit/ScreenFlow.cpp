#include "kit/ScreenFlow.h"

QString ArchiveMarker(Archive archive)
{
    return archive == Archive::Database ? QStringLiteral("database") : QStringLiteral("clienti");
}
