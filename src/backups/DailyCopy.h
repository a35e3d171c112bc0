#pragma once

#include "archive/Backups.h"

#include <QString>

class QDateTime;
class QWidget;

namespace backups {

// The local date and time as the copies are named by it.
Moment MomentOf(const QDateTime& time);
// Now, on the local clock.
Moment Now();

// Said once a day, as a warning, when the copy of the day could not be written.
inline const QString DailyCopyFailedText =
    QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza di oggi nella cartella "
                   "Copie_di_sicurezza.\n\r\n\rL'archivio non è stato modificato e il programma si può usare "
                   "normalmente; la copia sarà tentata di nuovo al prossimo avvio.");

// The copy of the day of the program folder's archive (BackupFolder::MakeDailyCopy), with the
// wait cursor and, when it lasts, a progress window over `over`. A copy that cannot be
// written never stops the program: it is said once a day.
void MakeDailyCopy(QWidget* over);

} // namespace backups
