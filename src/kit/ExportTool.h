#pragma once

#include "kit/Screens.h"
#include "kit/Widgets.h"
#include "archive/SpreadsheetExport.h"

class ExportModel;
class StatusLine;
class QTableView;

// What an export screen is made of: its caption, what it exports, the picture of its title
// band and the topic of its "Guida".
struct ExportToolSettings {
    QString caption;
    const ExportDescription* description = nullptr;
    Pictures::Icon titleIcon = Pictures::Icon::Database;
    QString titleText;
    QString helpTitle;
    QString helpText;
};

// The export screen both archives share: the whole archive in a grid, some columns editable,
// and the command that writes the grid into the spreadsheet file and offers to open it. The
// grid is a view over the archive's table, one row per record, without a widget per row.
class ExportTool : public ToolDialog {
    Q_OBJECT
public:
    static const QString ConfirmExportText;  // asked before writing
    static const QString ConfirmOpenText;    // asked after writing
    static const QString ExportFailedText;   // the file could not be written, or the grid is not the whole archive
    static const QString TooManySheetsText;  // more sheets than a worksheet has rows
    static const QString OutOfMemoryText;    // the archive does not fit in memory
    static const QString FillingText;        // the progress window's text while the grid is filled
    static const QString WritingText;        // and while the file is written

    ExportTool(QWidget* opener, const ExportToolSettings& settings);

    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

    ExportTable& Table() { return m_table; }
    ExportModel* Model() const { return m_model; }

protected:
    void FormShow() override;

private:
    // The message that says why a grid without the whole archive is not exported.
    void ReportIncompleteGrid();

    ExportToolSettings m_settings;
    ExportTable m_table;
    ExportModel* m_model;
    QTableView* m_grdRecords;
    StatusLine* m_status;
};
