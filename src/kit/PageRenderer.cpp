#include "kit/PageRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>

namespace {

QColor ToQColor(const report::Colour& colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Paints in millimetres on a device measured in its own dots, from the top-left corner of the
// area inside the margins.
class MmPainter {
public:
    MmPainter(QPainter& painter, QPagedPaintDevice& device)
        : m_painter(painter), m_device(device), m_dotsPerMm(device.logicalDpiX() / 25.4)
    {
    }

    double Dots(double mm) const { return mm * m_dotsPerMm; }
    QRectF Dots(const report::Rect& rect, double dx = 0, double dy = 0) const
    {
        return QRectF(Dots(rect.left + dx), Dots(rect.top + dy), Dots(rect.width), Dots(rect.height));
    }

    QFont Font(const report::Font& font) const
    {
        QFont qfont(QString::fromStdString(font.family));
        qfont.setPointSizeF(font.points);
        qfont.setBold(font.bold);
        qfont.setKerning(false);
        return qfont;
    }

    // The text as one line: every control character becomes a blank; characters that lie
    // wholly past the available width are left out (the box's clip cuts the last one).
    static QString OneLine(std::u16string_view text, const QFontMetricsF& metrics, double available)
    {
        QString line = ToQString(text);
        for (QChar& c : line)
            if (c.unicode() < 32)
                c = QLatin1Char(' ');
        // Measuring is the costly part of a line: a line that cannot reach the edge even in
        // its widest characters is not measured.
        if (line.size() * metrics.maxWidth() <= available || metrics.horizontalAdvance(line) <= available)
            return line;
        qsizetype low = 0;
        qsizetype high = line.size(); // the shortest prefix at least as wide as `available` is <= high
        while (low < high) {
            const qsizetype middle = (low + high) / 2;
            if (metrics.horizontalAdvance(line.left(middle)) < available)
                low = middle + 1;
            else
                high = middle;
        }
        return line.left(low);
    }

    void Text(const report::TextBox& box, double dx, double dy)
    {
        const QRectF area = Dots(box.box, dx, dy);
        if (box.fill)
            m_painter.fillRect(area, ToQColor(*box.fill));
        const QFont font = Font(box.font);
        const QFontMetricsF metrics(font, &m_device);
        const double inset = box.align == report::Align::Left ? Dots(box.inset) : 0;
        const QString line = OneLine(box.text, metrics, area.width() - inset);
        double x = area.left() + inset;
        if (box.align == report::Align::Centre)
            x = area.center().x() - metrics.horizontalAdvance(line) / 2;
        const double baseline = area.top() + (area.height() - metrics.ascent() - metrics.descent()) / 2 + metrics.ascent();
        m_painter.save();
        m_painter.setClipRect(area);
        m_painter.setFont(font);
        m_painter.setPen(ToQColor(box.colour));
        m_painter.drawText(QPointF(x, baseline), line);
        m_painter.restore();
    }

    void Picture(const report::Picture& picture, double dx, double dy)
    {
        const QRectF area = Dots(picture.box, dx, dy);
        switch (picture.kind) {
        case report::PictureKind::Folder:
            Folder(area);
            break;
        }
    }

    void HorizontalLine(const report::Line& line, double dx, double dy)
    {
        QPen pen(ToQColor(line.colour));
        pen.setWidthF(Dots(0.2));
        m_painter.setPen(pen);
        const double y = Dots(line.top + dy);
        m_painter.drawLine(QPointF(Dots(line.left + dx), y), QPointF(Dots(line.left + dx + line.width), y));
    }

    void Element(const report::Element& element, double dx = 0, double dy = 0)
    {
        std::visit(
            [&](const auto& item) {
                using Item = std::decay_t<decltype(item)>;
                if constexpr (std::is_same_v<Item, report::TextBox>)
                    Text(item, dx, dy);
                else if constexpr (std::is_same_v<Item, report::Picture>)
                    Picture(item, dx, dy);
                else
                    HorizontalLine(item, dx, dy);
            },
            element);
    }

    void Band(const report::Band& band, double top)
    {
        for (const report::Element& element : band.elements)
            Element(element, 0, top);
    }

    // The lines [first, first + count) of the data band, from `top`, one per line slot.
    void Lines(const report::DataBand& data, const report::LineSource& lines, std::size_t first, std::size_t count,
               double top)
    {
        const report::TextBox& box = data.box;
        const QFont font = Font(box.font);
        const QFontMetricsF metrics(font, &m_device);
        const double slot = Dots(data.lineHeight);
        const QRectF area(Dots(box.box.left), Dots(top + box.box.top), Dots(box.box.width), slot * count);
        const double inset = Dots(box.inset);
        const double baselineInSlot = (slot - metrics.ascent() - metrics.descent()) / 2 + metrics.ascent();
        m_painter.save();
        m_painter.setClipRect(area);
        m_painter.setFont(font);
        m_painter.setPen(ToQColor(box.colour));
        for (std::size_t i = 0; i < count; ++i) {
            const QString line = OneLine(lines.Line(first + i), metrics, area.width() - inset);
            m_painter.drawText(QPointF(area.left() + inset, area.top() + slot * i + baselineInSlot), line);
        }
        m_painter.restore();
    }

private:
    // A yellow folder: the back with its tab, and the front leaning over it.
    void Folder(const QRectF& area)
    {
        const double w = area.width();
        const double h = area.height();
        const QPointF o = area.topLeft();
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing);
        QPen outline(QColor(0xB0, 0x7D, 0x10));
        outline.setWidthF(Dots(0.2));
        m_painter.setPen(outline);

        QPainterPath back;
        back.moveTo(o + QPointF(0.04 * w, 0.12 * h));
        back.lineTo(o + QPointF(0.38 * w, 0.12 * h));
        back.lineTo(o + QPointF(0.46 * w, 0.24 * h));
        back.lineTo(o + QPointF(0.96 * w, 0.24 * h));
        back.lineTo(o + QPointF(0.96 * w, 0.92 * h));
        back.lineTo(o + QPointF(0.04 * w, 0.92 * h));
        back.closeSubpath();
        m_painter.setBrush(QColor(0xE8, 0xB0, 0x20));
        m_painter.drawPath(back);

        m_painter.setBrush(Qt::white);
        m_painter.drawRect(QRectF(o + QPointF(0.12 * w, 0.30 * h), QSizeF(0.76 * w, 0.40 * h)));

        QPainterPath front;
        front.moveTo(o + QPointF(0.04 * w, 0.40 * h));
        front.lineTo(o + QPointF(0.96 * w, 0.40 * h));
        front.lineTo(o + QPointF(0.96 * w, 0.92 * h));
        front.lineTo(o + QPointF(0.04 * w, 0.92 * h));
        front.closeSubpath();
        QLinearGradient shade(o + QPointF(0, 0.40 * h), o + QPointF(0, 0.92 * h));
        shade.setColorAt(0, QColor(0xFF, 0xE0, 0x70));
        shade.setColorAt(1, QColor(0xF4, 0xB8, 0x28));
        m_painter.setBrush(shade);
        m_painter.drawPath(front);
        m_painter.restore();
    }

    QPainter& m_painter;
    QPagedPaintDevice& m_device;
    double m_dotsPerMm;
};

bool PaintPage(QPagedPaintDevice& device, const report::Page& page)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    MmPainter mm(painter, device);
    for (const report::Element& element : page.elements)
        mm.Element(element);
    return painter.end();
}

bool PaintList(QPagedPaintDevice& device, const report::ListReport& list, Progress& progress)
{
    const report::ListLayout layout(list);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    MmPainter mm(painter, device);
    for (std::size_t page = 0; page < layout.PageCount(); ++page) {
        progress.Reached(page, layout.PageCount());
        if (page > 0 && !device.newPage())
            return false;
        const report::ListPageSlice slice = layout.Slice(page);
        if (slice.title)
            mm.Band(list.title, 0);
        if (slice.data && slice.lineCount > 0)
            mm.Lines(list.data, *list.lines, slice.firstLine, slice.lineCount, slice.dataTop);
        if (slice.footer)
            mm.Band(list.footer, slice.footerTop);
    }
    progress.Reached(layout.PageCount(), layout.PageCount());
    return painter.end();
}

} // namespace

QString ReportDocument::Name() const
{
    return QString::fromStdString(m_page ? m_page->name : m_list->name);
}

bool ReportDocument::PaintOn(QPagedPaintDevice& device, Progress& progress) const
{
    PageRenderer::SetPaper(device, Paper());
    return m_page ? PaintPage(device, *m_page) : PaintList(device, *m_list, progress);
}

namespace PageRenderer {

void SetPaper(QPagedPaintDevice& device, const report::Paper& paper)
{
    const QPageLayout::Orientation orientation =
        paper.orientation == report::Orientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape;
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                     QMarginsF(paper.margin, paper.margin, paper.margin, paper.margin),
                                     QPageLayout::Millimeter));
}

} // namespace PageRenderer
