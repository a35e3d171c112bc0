#pragma once
// Another copy of the program in the middle of a save: this test executable started again
// with LockHolderFlag, holding the save lock of a file (the one record saves and settings
// writes take) until the test lets it go.
#include "storage/Platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QtTest>

#include <unistd.h>

#include <cstdio>
#include <string_view>

inline constexpr std::string_view LockHolderFlag = "--hold-save-lock";

// The second program's side: locks the file as a save does, says "locked" on standard output
// and keeps the lock until its standard input closes.
inline int HoldSaveLock(const char* path)
{
    platform::FileInfo info;
    const platform::File fd = platform::OpenRegular(path, platform::Access::ReadWrite, IoOp::Open, info);
    bool held = false;
    if (fd == platform::NoFile || !platform::LockWhole(fd, platform::SaveLockPatience, held) || !held)
        return 2;
    std::puts("locked");
    std::fflush(stdout);
    char ignored;
    while (::read(STDIN_FILENO, &ignored, 1) > 0) {
    }
    return 0;
}

// The test's side: starts the second program on `path` and waits (bounded) until it holds
// the lock; the lock goes when this goes.
class SaveLockHolder {
public:
    explicit SaveLockHolder(const QString& path)
    {
        process_.start(QCoreApplication::applicationFilePath(),
                       {QString::fromLatin1(LockHolderFlag.data(), qsizetype(LockHolderFlag.size())), path});
        while (!locked_ && process_.waitForReadyRead(20000))
            locked_ = process_.readAllStandardOutput().contains("locked");
    }
    ~SaveLockHolder()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(20000)) {
            process_.kill();
            process_.waitForFinished(20000);
        }
    }
    SaveLockHolder(const SaveLockHolder&) = delete;
    SaveLockHolder& operator=(const SaveLockHolder&) = delete;

    bool Locked() const { return locked_; }

private:
    QProcess process_;
    bool locked_ = false;
};

// QTEST_MAIN of a screen test that can also serve as the second program holding a lock.
#define VELORBIS_SCREEN_TEST_MAIN(TestClass)                                                     \
    int main(int argc, char** argv)                                                              \
    {                                                                                            \
        if (argc == 3 && std::string_view(argv[1]) == LockHolderFlag)                            \
            return HoldSaveLock(argv[2]);                                                        \
        QApplication app(argc, argv);                                                            \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                 \
        TestClass test;                                                                          \
        QTEST_SET_MAIN_SOURCE_PATH                                                               \
        return QTest::qExec(&test, argc, argv);                                                  \
    }
