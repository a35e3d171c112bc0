#pragma once
// Things that lie in the program folder under a file's name without being a usable file,
// for the tests of every reader that must neither wait on them nor spend minutes on them.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtTest>

#include <sys/stat.h>

inline constexpr qint64 GiantFileSize = qint64(2) << 30;

// Puts something that is no usable file under `path`: "pipe" (a named pipe nobody writes
// to), "folder", or "giant" (a 2 GB file beginning "BM", as a bitmap would, sparse so that
// it costs no disk space).
inline void MakeUnusableFile(const QString& path, const QString& kind)
{
    QFile::remove(path);
    if (kind == QLatin1String("pipe")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("BM") == 2 && file.resize(GiantFileSize));
    }
}

// The rows of a test over MakeUnusableFile's kinds (column "kind").
inline void AddUnusableFileKinds()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << QStringLiteral("pipe");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("2 GB file") << QStringLiteral("giant");
}

// The file is still what MakeUnusableFile made of it: nothing replaced or shortened it.
inline bool StillUnusable(const QString& path, const QString& kind)
{
    const QFileInfo info(path);
    if (kind == QLatin1String("giant"))
        return info.isFile() && info.size() == GiantFileSize;
    return info.exists() && !info.isFile();
}
