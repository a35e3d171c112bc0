// The icons: every SVG picture in the resources loads and draws something, tinted icons take
// the colour they are given, and every icon the screens name by kind is in the resources.

#include "kit/Icons.h"
#include "kit/Widgets.h"
#include "kit/CommandFaces.h"

#include <QDirIterator>
#include <QImage>
#include <QSvgRenderer>
#include <QTest>

namespace {

int PaintedPixels(const QPixmap& picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) > 0;
    return painted;
}

bool Shows(const QPixmap& picture, const QColor& colour)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour.rgba())
                return true;
    return false;
}

} // namespace

class TestIcons : public QObject {
    Q_OBJECT
private slots:
    void everyIconIsAValidPicture_data()
    {
        QTest::addColumn<QString>("name");
        const QString folder = QStringLiteral(":/icons/");
        QDirIterator files(folder, {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
        QVERIFY(files.hasNext());
        while (files.hasNext()) {
            const QString path = files.next();
            const QString name = path.mid(folder.size()).chopped(4);
            QTest::newRow(qPrintable(name)) << name;
        }
    }
    void everyIconIsAValidPicture()
    {
        QFETCH(QString, name);
        QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
        QVERIFY(renderer.isValid());
        for (int side : {16, 64}) {
            const QPixmap picture = Icons::Picture(name, side);
            QCOMPARE(picture.size(), QSize(side, side));
            QVERIFY2(PaintedPixels(picture) > side, qPrintable(name));
        }
    }

    void tintedIconTakesTheTintAndItsLighterShade_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("tint");
        QTest::newRow("database, red") << QStringLiteral("tinted/database") << QColor(0xC0, 0x1B, 0x1B);
        QTest::newRow("settings, white") << QStringLiteral("tinted/settings") << QColor(Qt::white);
        QTest::newRow("clients, orange") << QStringLiteral("tinted/clients") << QColor(0xF0, 0x8C, 0x00);
    }
    void tintedIconTakesTheTintAndItsLighterShade()
    {
        QFETCH(QString, name);
        QFETCH(QColor, tint);
        const QPixmap picture = Icons::Tinted(name, 96, tint);
        QVERIFY(Shows(picture, tint));
        QVERIFY(Shows(picture, tint.lighter(150)));
        QVERIFY(!Shows(picture, QColor(0x24, 0x5C, 0xB8)));
        QVERIFY(!Shows(picture, QColor(0x47, 0x8D, 0xFF)));
    }

    void everyKindOfIconIsInTheResources()
    {
        for (Pictures::Icon icon : {Pictures::Icon::Padlock, Pictures::Icon::Question, Pictures::Icon::Information,
                                    Pictures::Icon::Globe, Pictures::Icon::Envelope, Pictures::Icon::Pdf,
                                    Pictures::Icon::Database, Pictures::Icon::Clients, Pictures::Icon::Settings,
                                    Pictures::Icon::Exit, Pictures::Icon::Copyright,
                                    Pictures::Icon::Copies})
            QVERIFY2(PaintedPixels(Pictures::IconPicture(icon, 32, Qt::blue)) > 32, qPrintable(QString::number(int(icon))));
        using CommandFaces::Symbol;
        for (Symbol symbol : {Symbol::New, Symbol::Duplicate, Symbol::Save, Symbol::Find, Symbol::Attach,
                              Symbol::Preview, Symbol::Print, Symbol::Flagged, Symbol::First, Symbol::Previous,
                              Symbol::Next, Symbol::Last, Symbol::Export, Symbol::Help, Symbol::Exit, Symbol::Import,
                              Symbol::Check, Symbol::Mail, Symbol::Folders, Symbol::Person, Symbol::Globe,
                              Symbol::Flag})
            QVERIFY2(PaintedPixels(CommandFaces::Symbolic(32, symbol)) > 32, qPrintable(QString::number(int(symbol))));
        QVERIFY(PaintedPixels(CommandFaces::GoogleWord(QSize(70, 22))) > 22);
    }

    void missingIconDrawsNothing()
    {
        const QPixmap picture = Icons::Picture(QStringLiteral("no/such/icon"), 24);
        QCOMPARE(picture.size(), QSize(24, 24));
        QCOMPARE(PaintedPixels(picture), 0);
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
