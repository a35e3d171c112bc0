#pragma once
// Catches what the program writes to its standard error while it lives.
#include <QByteArray>
#include <QString>

#include <cstdio>
#include <unistd.h>

class StandardErrorCapture {
public:
    StandardErrorCapture()
    {
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        m_file = std::tmpfile();
        if (m_saved >= 0 && m_file)
            ::dup2(::fileno(m_file), STDERR_FILENO);
    }
    ~StandardErrorCapture()
    {
        std::fflush(stderr);
        if (m_saved >= 0) {
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }
        if (m_file)
            std::fclose(m_file);
    }
    StandardErrorCapture(const StandardErrorCapture&) = delete;
    StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;

    // Everything written so far.
    QString Text() const
    {
        std::fflush(stderr);
        if (!m_file)
            return {};
        QByteArray bytes;
        char block[4096];
        std::rewind(m_file);
        while (const std::size_t got = std::fread(block, 1, sizeof block, m_file))
            bytes.append(block, qsizetype(got));
        std::fseek(m_file, 0, SEEK_END);
        return QString::fromUtf8(bytes);
    }

private:
    int m_saved = -1;
    std::FILE* m_file = nullptr;
};
