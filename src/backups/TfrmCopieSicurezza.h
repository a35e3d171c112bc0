#pragma once

#include "archive/Backups.h"
#include "kit/Screens.h"

#include <vector>

class QListWidget;

// The archive's copies, newest first, one line each with the sheets and clients it holds;
// Ripristina brings the selected one back in place of the archive, which is kept in a copy
// of its own first.
class TfrmCopieSicurezza : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmCopieSicurezza(QWidget* opener);

    void btnRipristinaClick();
    void btnChiudiClick();

    // A line of the list: "dd/mm/yyyy", the time "hh:mm:ss" after it for a copy made before a
    // restore, then " - schede: N, clienti: M".
    static QString Line(const backups::Copy& copy, const backups::CopyCounts& counts);
    // The date, and the time of a timed copy, as the line shows them.
    static QString Made(const backups::Copy& copy);

    static const QString NoSelectionText;
    static const QString RestoredText;
    static const QString RestoreFailedText;

private:
    void FillList();

    backups::BackupFolder m_folder;
    std::vector<backups::Copy> m_copies; // in the order of the list
    QListWidget* m_lstCopie;
};
