#include "backups/DailyCopy.h"

#include "kit/Failures.h"
#include "kit/WorkProgress.h"
#include "storage/ProgramFolder.h"

#include <QDateTime>

namespace backups {

Moment MomentOf(const QDateTime& time)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    return {date.year(), date.month(), date.day(), clock.hour(), clock.minute(), clock.second()};
}

Moment Now()
{
    return MomentOf(QDateTime::currentDateTime());
}

void MakeDailyCopy(QWidget* over)
{
    BackupFolder folder(ProgramFolder());
    const Moment today = Now();
    DailyOutcome outcome{DailyResult::AlreadyMade, {}};
    {
        WorkProgress progress(over, QStringLiteral("Creazione della copia di sicurezza in corso. Attendere..."));
        outcome = folder.MakeDailyCopy(today, progress);
    }
    if (outcome.result != DailyResult::Failed)
        return;
    if (folder.WarnedOn(today)) {
        Failures::Note(outcome.error);
        return;
    }
    Failures::ReportWriteFailure(over, MessageKind::Warning, DailyCopyFailedText, outcome.error);
    folder.NoteWarning(today);
}

} // namespace backups
