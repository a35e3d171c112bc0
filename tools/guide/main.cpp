// Writes the user guide Guida.pdf from the Markdown chapters under docs/guida.
//
//   velorbis_guide <output.pdf> <chapter.md>...
//
// The chapters are joined in the order given. Every level-one heading starts a numbered
// chapter on a new page; a title page and a table of contents come first, and every page
// after the title page carries its number in the footer.

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QAbstractTextDocumentLayout>

#include <cstdio>

namespace {

const QString kTitle = QStringLiteral("Velorbis 4.0");
const QString kSubtitle = QStringLiteral("Guida all'utilizzo del software");
const QString kBodyFont = QStringLiteral("DejaVu Sans");
const QColor kAccent(0x1f, 0x3a, 0x6e);
const QColor kMuted(0x60, 0x66, 0x70);
constexpr int kDpi = 300;

// Lengths on the page, in device pixels.
double mm(double millimetres)
{
    return millimetres * kDpi / 25.4;
}

// Lengths inside the text document (margins, padding), which its layout scales from
// 96 units per inch to the device.
double docMm(double millimetres)
{
    return millimetres * 96 / 25.4;
}

// The page areas, in device pixels.
struct PageGeometry {
    QRectF page;
    QRectF body;
    QRectF footer;

    static PageGeometry a4()
    {
        PageGeometry g;
        g.page = QRectF(0, 0, mm(210), mm(297));
        g.body = QRectF(mm(25), mm(25), mm(160), mm(297 - 25 - 30));
        g.footer = QRectF(mm(25), mm(297 - 22), mm(160), mm(10));
        return g;
    }
};

struct Heading {
    int level;
    QString text;
    int page; // 0-based page of the content part
};

bool readChapters(const QStringList &paths, QString &markdown)
{
    QStringList chapters;
    for (const QString &path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "velorbis_guide: cannot read %s\n", qPrintable(path));
            return false;
        }
        chapters << QString::fromUtf8(file.readAll());
    }
    markdown = chapters.join(QStringLiteral("\n\n"));
    return true;
}

void styleTables(QTextFrame *frame)
{
    for (QTextFrame *child : frame->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child)) {
            QTextTableFormat format = table->format();
            format.setBorder(0.5);
            format.setBorderBrush(QColor(0xb8, 0xc2, 0xd0));
            format.setBorderCollapse(true);
            format.setCellPadding(docMm(1.6));
            format.setCellSpacing(0);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            format.setTopMargin(docMm(1.5));
            format.setBottomMargin(docMm(3));
            table->setFormat(format);
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(0, column);
                QTextCharFormat header = cell.format();
                header.setBackground(QColor(0xe4, 0xea, 0xf3));
                cell.setFormat(header);
            }
        }
        styleTables(child);
    }
}

// Numbers the chapters, colours the headings, spaces the paragraphs and puts every
// chapter after the first on a new page.
void styleDocument(QTextDocument &document)
{
    int chapter = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        QTextBlockFormat blockFormat = block.blockFormat();
        const int level = blockFormat.headingLevel();
        if (level == 0) {
            if (!cursor.currentTable()) {
                blockFormat.setBottomMargin(docMm(2.2));
                blockFormat.setLineHeight(118, QTextBlockFormat::ProportionalHeight);
            }
            cursor.setBlockFormat(blockFormat);
            continue;
        }

        if (level == 1) {
            ++chapter;
            cursor.movePosition(QTextCursor::StartOfBlock);
            cursor.insertText(QStringLiteral("%1. ").arg(chapter));
            if (chapter > 1)
                blockFormat.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        }
        blockFormat.setTopMargin(level == 1 ? 0 : docMm(4));
        blockFormat.setBottomMargin(level == 1 ? docMm(6) : docMm(2));
        cursor.setBlockFormat(blockFormat);

        // The Markdown reader sizes headings by a relative adjustment, which would win
        // over a point size: replace it fragment by fragment.
        const double pointSize = level == 1 ? 20 : level == 2 ? 13.5 : 11.5;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat charFormat = fragment.charFormat();
            charFormat.clearProperty(QTextFormat::FontSizeAdjustment);
            charFormat.setFontPointSize(pointSize);
            charFormat.setFontWeight(QFont::Bold);
            charFormat.setForeground(kAccent);
            QTextCursor range(&document);
            range.setPosition(fragment.position());
            range.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            range.setCharFormat(charFormat);
        }
    }
    styleTables(document.rootFrame());
}

// The layout moves the lines of a block that does not fit to the next page, while the
// block itself keeps its place: its first line tells on which page it is seen.
int pageOfFirstLine(const QTextDocument &document, const QTextBlock &block, double pageHeight)
{
    double top = document.documentLayout()->blockBoundingRect(block).top();
    if (block.layout() && block.layout()->lineCount() > 0)
        top += block.layout()->lineAt(0).y();
    return int((top + 1) / pageHeight); // a line moved to a new page starts right at its top
}

// QTextDocument knows no "keep with next": a section heading left alone at the foot of a
// page is moved to the next page, until no heading is left behind.
void keepHeadingsWithText(QTextDocument &document, double pageHeight)
{
    auto pageOf = [&](const QTextBlock &block) { return pageOfFirstLine(document, block, pageHeight); };
    bool moved = true;
    while (moved) {
        moved = false;
        document.pageCount(); // lays the whole document out
        for (QTextBlock block = document.begin(); block.isValid() && block.next().isValid(); block = block.next()) {
            QTextBlockFormat format = block.blockFormat();
            if (format.headingLevel() < 2 || format.pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore)
                continue;
            if (pageOf(block) != pageOf(block.next())) {
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                QTextCursor(block).setBlockFormat(format);
                moved = true;
                break;
            }
        }
    }
}

QList<Heading> headingsOf(const QTextDocument &document, double pageHeight)
{
    QList<Heading> headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 1 || level == 2)
            headings.append({level, block.text(), pageOfFirstLine(document, block, pageHeight)});
    }
    return headings;
}

void drawTitlePage(QPainter &painter, const PageGeometry &geometry)
{
    const QRectF band(0, mm(95), geometry.page.width(), mm(70));
    painter.fillRect(band, kAccent);

    painter.setPen(Qt::white);
    painter.setFont(QFont(kBodyFont, 40, QFont::Bold));
    painter.drawText(QRectF(band.left(), band.top() + mm(10), band.width(), mm(28)),
                     Qt::AlignCenter, kTitle);
    painter.setFont(QFont(kBodyFont, 18));
    painter.drawText(QRectF(band.left(), band.top() + mm(38), band.width(), mm(18)),
                     Qt::AlignCenter, kSubtitle);

    painter.setPen(kMuted);
    painter.setFont(QFont(kBodyFont, 12));
    painter.drawText(QRectF(geometry.body.left(), mm(180), geometry.body.width(), mm(30)),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Database personalizzato e Anagrafica Clienti"));
}

void drawFooter(QPainter &painter, const PageGeometry &geometry, int pageNumber, int pageCount)
{
    painter.setPen(QPen(QColor(0xb8, 0xc2, 0xd0), mm(0.2)));
    painter.drawLine(geometry.footer.topLeft(), geometry.footer.topRight());
    painter.setPen(kMuted);
    painter.setFont(QFont(kBodyFont, 8.5));
    const QRectF text = geometry.footer.adjusted(0, mm(2), 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, kTitle + QStringLiteral(" – ") + kSubtitle);
    painter.drawText(text, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("Pagina %1 di %2").arg(pageNumber).arg(pageCount));
}

// The table of contents: one line per chapter and section, with the printed page number.
void drawContents(QPainter &painter, const PageGeometry &geometry, const QList<Heading> &headings,
                  int firstContentPage)
{
    const QRectF area = geometry.body;
    painter.setPen(kAccent);
    painter.setFont(QFont(kBodyFont, 20, QFont::Bold));
    painter.drawText(QRectF(area.left(), area.top(), area.width(), mm(12)), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Indice"));

    const QFont chapterFont(kBodyFont, 11, QFont::Bold);
    const QFont sectionFont(kBodyFont, 10);
    const double top = area.top() + mm(18);

    // The contents take one page: when the sections do not fit, only the chapters are listed.
    double needed = 0;
    for (const Heading &heading : headings)
        needed += heading.level == 1 ? mm(9.5) : mm(6);
    QList<Heading> listed;
    for (const Heading &heading : headings) {
        if (heading.level == 1 || top + needed <= area.bottom())
            listed.append(heading);
    }

    double y = top;
    for (const Heading &heading : listed) {
        const bool chapter = heading.level == 1;
        if (chapter && y > top)
            y += mm(2.5);
        const double indent = chapter ? 0 : mm(8);
        const double lineHeight = chapter ? mm(7) : mm(6);
        if (y + lineHeight > area.bottom())
            break;
        const QRectF line(area.left() + indent, y, area.width() - indent, lineHeight);
        painter.setFont(chapter ? chapterFont : sectionFont);
        painter.setPen(chapter ? kAccent : Qt::black);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, heading.text);
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(firstContentPage + heading.page));
        y += lineHeight;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: velorbis_guide <output.pdf> <chapter.md>...\n");
        return 2;
    }
    QString markdown;
    if (!readChapters(arguments.mid(1), markdown))
        return 1;

    QPdfWriter writer(arguments.first());
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setTitle(kTitle + QStringLiteral(" - ") + kSubtitle);
    writer.setCreator(kTitle);
    const PageGeometry geometry = PageGeometry::a4();

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    document.setDefaultFont(QFont(kBodyFont, 10.5));
    document.setDocumentMargin(0);
    document.setMarkdown(markdown);
    styleDocument(document);
    document.setPageSize(geometry.body.size());
    keepHeadingsWithText(document, geometry.body.height());

    const int contentPages = document.pageCount();
    const int firstContentPage = 3; // after the title page and the table of contents
    const int pageCount = firstContentPage - 1 + contentPages;

    QPainter painter;
    if (!painter.begin(&writer)) {
        std::fprintf(stderr, "velorbis_guide: cannot write %s\n", qPrintable(arguments.first()));
        return 1;
    }
    painter.setRenderHint(QPainter::Antialiasing);

    drawTitlePage(painter, geometry);

    writer.newPage();
    drawContents(painter, geometry, headingsOf(document, geometry.body.height()), firstContentPage);
    drawFooter(painter, geometry, 2, pageCount);

    for (int page = 0; page < contentPages; ++page) {
        writer.newPage();
        painter.save();
        painter.translate(geometry.body.left(), geometry.body.top() - page * geometry.body.height());
        const QRectF visible(0, page * geometry.body.height(), geometry.body.width(), geometry.body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = visible;
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(visible);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        drawFooter(painter, geometry, firstContentPage + page, pageCount);
    }

    if (!painter.end()) {
        std::fprintf(stderr, "velorbis_guide: cannot finish %s\n", qPrintable(arguments.first()));
        return 1;
    }
    return 0;
}
