#pragma once
// Shared by the storage and password tests: a temporary program folder, file bytes, and
// re-running this test executable as an unprivileged user, so that the operating system
// itself refuses what a read-only file or folder refuses (the tests run as root, for whom
// file rights refuse nothing).
#include "storage/IoFaults.h"
#include "storage/ProgramFolder.h"
#include "storage/Text.h"
#include "support/SaveLockHolder.h"
#include "support/UnusableFiles.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string_view>

inline QString Q(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline Text T(const QString& text)
{
    return text.toStdU16String();
}

// A fresh program folder for one test; the fault seam is disarmed on both ends.
class ProgramFolderFixture {
public:
    ProgramFolderFixture()
    {
        IoFaults::Reset();
        SetProgramFolder(std::filesystem::path(dir_.path().toStdString()));
    }
    ~ProgramFolderFixture()
    {
        IoFaults::Reset();
        ::chmod(dir_.path().toLocal8Bit().constData(), 0700); // so that the folder can be removed
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline void SetMode(const QString& path, mode_t mode)
{
    QCOMPARE(::chmod(path.toLocal8Bit().constData(), mode), 0);
}

inline constexpr std::string_view UnprivilegedHelperFlag = "--unprivileged-helper";
inline constexpr int HelperRefused = 3;

struct HelperResult {
    int exitCode = -1;
    QString output;
};

// Runs this executable again as user and group 65534 ("nobody") with the helper flag and args.
inline HelperResult RunUnprivileged(const QStringList& args)
{
    QStringList arguments = args;
    arguments.prepend(QString::fromLatin1(UnprivilegedHelperFlag.data(), UnprivilegedHelperFlag.size()));
    QString program = QCoreApplication::applicationFilePath();
    if (::geteuid() == 0) {
        arguments.prepend(program);
        arguments = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", "--"} + arguments;
        program = "setpriv";
    }
    QProcess process;
    process.start(program, arguments);
    HelperResult result;
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    return result;
}

// Starts this executable again, as the same user, with the helper flag and args: a second
// program working on the same folder at the same time.
inline void StartHelper(QProcess& process, const QStringList& args)
{
    QStringList arguments = args;
    arguments.prepend(QString::fromLatin1(UnprivilegedHelperFlag.data(), UnprivilegedHelperFlag.size()));
    process.start(QCoreApplication::applicationFilePath(), arguments);
}

// main() of a test that also serves as its own unprivileged helper, and as a second program
// holding a save lock (see SaveLockHolder).
#define VELORBIS_TEST_MAIN_WITH_HELPER(TestClass, helper)                                        \
    int main(int argc, char** argv)                                                              \
    {                                                                                            \
        if (argc > 1 && std::string_view(argv[1]) == UnprivilegedHelperFlag)                     \
            return helper(argc - 2, argv + 2);                                                   \
        if (argc == 3 && std::string_view(argv[1]) == LockHolderFlag)                            \
            return HoldSaveLock(argv[2]);                                                        \
        QCoreApplication app(argc, argv);                                                        \
        TestClass test;                                                                          \
        QTEST_SET_MAIN_SOURCE_PATH                                                               \
        return QTest::qExec(&test, argc, argv);                                                  \
    }
