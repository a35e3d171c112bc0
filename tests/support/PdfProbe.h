#pragma once
// Reads a PDF as a reader does, through poppler's command-line tools: the words with their
// boxes (pdftotext -bbox), the text laid out (pdftotext -layout), the fonts (pdffonts), the
// document information (pdfinfo) and a page as a grey picture (pdftoppm).

#include "report/Page.h"

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>

#include <cmath>

namespace pdfprobe {

inline QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

constexpr double PointsPerMm = 72.0 / 25.4;

// A word and its box, in millimetres from the paper's top-left corner.
struct Word {
    int page;
    double left, top, right, bottom;
    QString text;
    double MiddleY() const { return (top + bottom) / 2; }
    double MiddleX() const { return (left + right) / 2; }
};

inline QList<Word> Words(const QString& pdf)
{
    const QString html = Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression pageTag(QStringLiteral("<page "));
    static const QRegularExpression wordTag(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<Word> words;
    int page = 0;
    const QStringList pages = html.split(pageTag);
    for (const QString& pageText : pages) {
        for (const QRegularExpressionMatch& m : wordTag.globalMatch(pageText)) {
            QString text = m.captured(5);
            text.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            words.append({page - 1, m.captured(1).toDouble() / PointsPerMm, m.captured(2).toDouble() / PointsPerMm,
                          m.captured(3).toDouble() / PointsPerMm, m.captured(4).toDouble() / PointsPerMm, text});
        }
        ++page;
    }
    return words;
}

// The words of page `page` whose middle lies in the box (millimetres on the paper).
inline QList<Word> WordsIn(const QList<Word>& words, int page, const report::Rect& box)
{
    QList<Word> inside;
    for (const Word& word : words)
        if (word.page == page && word.MiddleY() >= box.top && word.MiddleY() <= box.Bottom()
            && word.left >= box.left - 0.5 && word.left <= box.Right())
            inside.append(word);
    return inside;
}

inline QString Joined(const QList<Word>& words)
{
    QStringList texts;
    for (const Word& word : words)
        texts.append(word.text);
    return texts.join(u' ');
}

inline QString Layout(const QString& pdf, int page = 0)
{
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    return Run(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
}

inline QString Info(const QString& pdf, bool meta = false)
{
    QStringList arguments;
    if (meta)
        arguments << QStringLiteral("-meta");
    return Run(QStringLiteral("pdfinfo"), arguments << pdf);
}

inline int PageCount(const QString& pdf)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(Info(pdf));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The fonts pdffonts lists: name and whether it is embedded.
struct FontRow {
    QString name;
    bool embedded;
};

inline QList<FontRow> Fonts(const QString& pdf)
{
    QList<FontRow> fonts;
    const QStringList lines = Run(QStringLiteral("pdffonts"), {pdf}).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 2; i < lines.size(); ++i) { // after the heading and the rule
        const QStringList columns = lines[i].split(u' ', Qt::SkipEmptyParts);
        // name, type (one or two words), encoding, emb, sub, uni, object, ID
        if (columns.size() < 7)
            continue;
        fonts.append({columns.first(), columns[columns.size() - 5] == QLatin1String("yes")});
    }
    return fonts;
}

// Page `page` (0-based) as a grey picture at `dpi`.
inline QImage PagePicture(const QString& pdf, const QString& stem, int page = 0, int dpi = 150)
{
    Run(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-png"), QStringLiteral("-r"),
                                     QString::number(dpi), QStringLiteral("-f"), QString::number(page + 1),
                                     QStringLiteral("-l"), QString::number(page + 1), QStringLiteral("-singlefile"),
                                     pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

// Pixels darker than near-white in an area given in millimetres on the paper.
inline int InkIn(const QImage& picture, const report::Rect& area, int dpi = 150)
{
    const double dots = dpi / 25.4;
    int ink = 0;
    for (int y = int(std::ceil(area.top * dots)); y < int(area.Bottom() * dots) && y < picture.height(); ++y)
        for (int x = int(std::ceil(area.left * dots)); x < int(area.Right() * dots) && x < picture.width(); ++x)
            if (qGray(picture.pixel(x, y)) < 200)
                ++ink;
    return ink;
}

} // namespace pdfprobe
