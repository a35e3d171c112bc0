#include "kit/Printing.h"

#include "kit/Maker.h"
#include "kit/Failures.h"
#include "kit/Messages.h"
#include "kit/TMisc.h"
#include "kit/WorkProgress.h"
#include "report/DocumentFile.h"
#include "report/SheetPages.h"
#include "storage/ProgramFolder.h"
#include "storage/Platform.h"

#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStyle>
#include <QToolBar>

namespace {

Printing::PrintDialogHandler& InstalledHandler()
{
    static Printing::PrintDialogHandler handler;
    return handler;
}

// The printer as the print dialog opens it: the default printer, one copy of all pages.
void PrepareForDialog(QPrinter& printer, const ReportDocument& document)
{
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setDocName(document.Name());
    PageRenderer::SetPaper(printer, document.Paper());
}

bool AskPrinter(QWidget* parent, QPrinter& printer)
{
    if (InstalledHandler())
        return InstalledHandler()(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

// Print dialog, then the printer; used by Print and by the preview's print command.
Printing::PrintResult PrintOn(QWidget* parent, QPrinter& printer, const ReportDocument& document)
{
    using Outcome = Printing::PrintResult::Outcome;
    PrepareForDialog(printer, document);
    if (!AskPrinter(parent, printer))
        return {Outcome::Cancelled, {}};
    WorkProgress progress(parent, QStringLiteral("Stampa in corso. Attendere..."));
    const bool painted = document.PaintOn(printer, progress);
    progress.Finish();
    if (!painted) {
        Printing::ReportFailure(parent, QStringLiteral("Attenzione: la stampa non è stata eseguita.\n\n")
                                            + QStringLiteral("La stampante non ha accettato il documento."));
        const QString printerName = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        return {Outcome::Failed, {"print on", platform::PathOfText(printerName.toStdString()), "the printer did not accept the document"}};
    }
    return {Outcome::Printed, {}};
}

// The preview's tool bar keeps print and the zoom commands; full screen and close are added.
void ReduceToolBar(QPrintPreviewDialog& preview, QPrinter& printer, const ReportDocument& document)
{
    auto* bar = preview.findChild<QToolBar*>();
    if (!bar)
        return;
    // Qt's own actions carry no names: they are known by the texts the preview gives them.
    const auto qtText = [](const char* text) { return QCoreApplication::translate("QPrintPreviewDialog", text); };
    const QList<std::pair<QString, QString>> kept = {{qtText("Zoom in"), QStringLiteral("zoomInAction")},
                                                     {qtText("Zoom out"), QStringLiteral("zoomOutAction")},
                                                     {qtText("Print"), QStringLiteral("printAction")}};
    for (QAction* action : bar->actions()) {
        bool keep = qobject_cast<QComboBox*>(bar->widgetForAction(action)) != nullptr; // the zoom factor box
        for (const auto& [text, name] : kept)
            if (action->text() == text) {
                action->setObjectName(name);
                keep = true;
            }
        action->setVisible(keep);
        if (action->objectName() == QLatin1String("printAction")) {
            // The preview's print goes through the one print dialog, and paints the same way.
            QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
            QObject::connect(action, &QAction::triggered, &preview,
                             [&preview, &printer, document] { PrintOn(&preview, printer, document); });
        }
    }
    QAction* fullScreen = bar->addAction(preview.style()->standardIcon(QStyle::SP_TitleBarMaxButton),
                                         QStringLiteral("Schermo intero"));
    fullScreen->setObjectName(QStringLiteral("fullScreenAction"));
    fullScreen->setCheckable(true);
    QObject::connect(fullScreen, &QAction::toggled, &preview, [&preview](bool on) {
        preview.setWindowState(on ? (preview.windowState() | Qt::WindowFullScreen)
                                  : (preview.windowState() & ~Qt::WindowFullScreen));
    });
    QAction* close = bar->addAction(preview.style()->standardIcon(QStyle::SP_DialogCloseButton),
                                    QStringLiteral("Chiudi"));
    close->setObjectName(QStringLiteral("closeAction"));
    QObject::connect(close, &QAction::triggered, &preview, &QDialog::reject);
}

QString XmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// Author and subject have no setter of their own: they travel in the XMP metadata, with the
// title and the creator again.
QByteArray PdfXmp(const Printing::PdfInfo& info)
{
    const QString xmp = QStringLiteral(
        "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
        "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
        "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
        "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'"
        " xmlns:xmp='http://ns.adobe.com/xap/1.0/' xmlns:pdf='http://ns.adobe.com/pdf/1.3/'>\n"
        "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>%1</rdf:li></rdf:Alt></dc:title>\n"
        "<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>%2</rdf:li></rdf:Alt></dc:description>\n"
        "<dc:creator><rdf:Seq><rdf:li>%3</rdf:li></rdf:Seq></dc:creator>\n"
        "<xmp:CreatorTool>%4</xmp:CreatorTool>\n"
        "</rdf:Description>\n"
        "</rdf:RDF>\n"
        "</x:xmpmeta>\n"
        "<?xpacket end='w'?>\n");
    return xmp.arg(XmlEscaped(info.title), XmlEscaped(info.subject), XmlEscaped(info.author), XmlEscaped(info.creator))
        .toUtf8();
}

} // namespace

namespace Printing {

report::PrintMoment Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().day(), now.date().month(), now.date().year(),
            now.time().hour(), now.time().minute(), now.time().second()};
}

PrintResult Print(QWidget* parent, const ReportDocument& document)
{
    QPrinter printer(QPrinter::HighResolution);
    return PrintOn(parent, printer, document);
}

QPrintPreviewDialog* BuildPreview(QWidget* parent, QPrinter& printer, const ReportDocument& document)
{
    PrepareForDialog(printer, document);
    auto* preview = new QPrintPreviewDialog(&printer, parent);
    preview->setObjectName(QStringLiteral("frmPreview"));
    preview->setWindowTitle(QStringLiteral(" Anteprima di stampa"));
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                     [document](QPrinter* target) { document.PaintOn(*target); });
    ReduceToolBar(*preview, printer, document);
    if (auto* page = preview->findChild<QPrintPreviewWidget*>())
        page->setZoomFactor(1.0);
    preview->setWindowState(Qt::WindowMaximized);
    return preview;
}

void Preview(QWidget* parent, const ReportDocument& document)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog* preview = BuildPreview(parent, printer, document);
    preview->exec();
    delete preview;
}

FileOutcome WritePdf(const ReportDocument& document, const QString& path, const PdfInfo& info)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setTitle(info.title);
        writer.setCreator(info.creator);
        writer.setDocumentXmpMetadata(PdfXmp(info));
        if (!document.PaintOn(writer))
            return FileOutcome::Failed({"lay out", platform::PathOfText(path.toStdString()), "the page could not be laid out"});
    }
    return report::WriteDocumentFile(platform::PathOfText(path.toStdString()), bytes.toStdString());
}

bool ExportSheetPdf(QWidget* parent, const report::Page& page, const QString& fileName)
{
    const QString path = QString::fromStdString(platform::PathText(ProgramFile(fileName.toStdString())));
    const QString title = QString::fromStdString(page.name);
    const FileOutcome written = WritePdf(page, path, {title, title, Maker::CompanyName, Maker::CompanyName});
    if (!written) {
        ReportFailure(parent, QStringLiteral("Attenzione: impossibile scrivere il file PDF\n%1\n\n%2")
                                  .arg(QDir::toNativeSeparators(path), QString::fromStdString(written.Error().reason)));
        return false;
    }
    if (Messages::Confirm(parent, QStringLiteral("L'esportazione della scheda in PDF è terminata con "
                                                 "successo.\r\n\r\nSi vuole aprire il file?")))
        TMisc::Open(u'"' + path + u'"');
    return true;
}

void ReportFailure(QWidget* parent, const QString& text)
{
    Failures::ReportError(parent, text);
}

void SetPrintDialogHandler(PrintDialogHandler handler) { InstalledHandler() = std::move(handler); }

} // namespace Printing
