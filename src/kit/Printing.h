#pragma once
// Every print, preview and PDF of the program goes through here: the print dialog
// (QPrintDialog, the default printer preselected, one copy), the print preview
// (QPrintPreviewDialog: modal, maximised, at 100 %, its tool bar reduced to print, zoom, full
// screen and close; Escape closes it too) and the PDF writer. Each paints through
// ReportDocument, so paper, screen and file show the same page.
#include "kit/PageRenderer.h"
#include "report/Page.h"
#include "report/PrintMoment.h"
#include "storage/FileOutcome.h"

#include <QString>
#include <functional>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace Printing {

// The moment the command runs, for the footers.
report::PrintMoment Now();

// What a print came to. A failure is reported before Print returns; `failure` says why.
struct PrintResult {
    enum class Outcome {
        Printed,
        Cancelled, // the user closed the print dialog: nothing printed, nothing said
        Failed,    // the printer did not take the document
    };
    Outcome outcome = Outcome::Cancelled;
    FileError failure;
};

// Shows the print dialog and prints the document on the printer chosen.
PrintResult Print(QWidget* parent, const ReportDocument& document);

// Shows the document in the modal preview window until the user closes it.
void Preview(QWidget* parent, const ReportDocument& document);
// The preview window, built and filled but not run (Preview runs it).
QPrintPreviewDialog* BuildPreview(QWidget* parent, QPrinter& printer, const ReportDocument& document);

// What a PDF's document information says.
struct PdfInfo {
    QString title;
    QString subject;
    QString author;
    QString creator;
};

// Writes the document as PDF at `path`: a temporary file renamed into place, so a failure
// leaves an earlier file whole. Done when written, else why it was not.
FileOutcome WritePdf(const ReportDocument& document, const QString& path, const PdfInfo& info);

// A sheet page as a PDF file in the program folder (`fileName`, "Cliente.pdf"), replacing
// the previous one, then the question whether to open it: "Yes" opens it. A failure is
// reported with the path and asks nothing. True when the file was written.
bool ExportSheetPdf(QWidget* parent, const report::Page& page, const QString& fileName);

// A print or PDF that failed, reported with its own text.
void ReportFailure(QWidget* parent, const QString& text);

// Test seam: while a handler is installed the print dialog is not shown; the handler gets
// the printer the dialog would have set up and returns true to print (it may point the
// printer at a PDF file) or false to cancel.
using PrintDialogHandler = std::function<bool(QPrinter&)>;
void SetPrintDialogHandler(PrintDialogHandler handler);

} // namespace Printing
