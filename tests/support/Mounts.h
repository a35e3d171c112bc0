#pragma once
// File systems of a test's own: a small tmpfs over a folder, to fill up or make read-only.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

// Mounts of these tests stay inside this process: it has its own view of the mounts, made
// before any thread starts, so that nothing is left mounted whatever happens to it.
inline bool g_privateMounts = false;

// Called by main() while the process has one thread only.
inline void MakeMountsPrivate()
{
    g_privateMounts = ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// A small memory file system over a folder for one test, unmounted when the test ends.
class Tmpfs {
public:
    // Empty when it could be mounted, else why not.
    QString Mount(const QString& folder, const char* size)
    {
        if (!g_privateMounts)
            return QStringLiteral("this process cannot have mounts of its own");
        m_folder = QFile::encodeName(folder);
        const std::string options = std::string("size=") + size + ",mode=0777";
        if (::mount("tmpfs", m_folder.constData(), "tmpfs", 0, options.c_str()) != 0)
            return QStringLiteral("mounting a tmpfs failed: ") + QString::fromLocal8Bit(std::strerror(errno));
        m_mounted = true;
        return {};
    }
    bool MakeReadOnly()
    {
        return ::mount(nullptr, m_folder.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    ~Tmpfs()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

// Writes a file into `folder` until the disk is full.
inline void FillDisk(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder + QStringLiteral("/riempimento")).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    QVERIFY(fd >= 0);
    const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), std::size_t(block.size())) > 0) {
    }
    const int error = errno;
    ::close(fd);
    QCOMPARE(error, ENOSPC);
}

