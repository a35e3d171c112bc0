#pragma once

// What the screen tests share: a temporary program folder, the running program, a
// recorder that answers message boxes, and a way to act on a modal tool while it runs.

#include "kit/Messages.h"
#include "app/Program.h"
#include "storage/IoFaults.h"
#include "storage/ProgramFolder.h"
#include "support/UnusableFiles.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QList>
#include <QPointer>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

struct ShownMessage {
    MessageKind kind;
    QString text;
};

// Answers every message box without showing it, and remembers what was asked.
class MessageRecorder {
public:
    MessageRecorder()
    {
        Messages::SetHandler([this](MessageKind kind, const QString& text) {
            shown.append({kind, text});
            return answer;
        });
    }
    ~MessageRecorder() { Messages::SetHandler({}); }

    QList<ShownMessage> shown;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
};

// Catches what the program hands to the desktop's open action. A desktop that opens nothing
// (no program for the file, no browser, no mail program) makes QDesktopServices::openUrl
// answer false: the handler is then registered under a slot name the seam does not have,
// which is how openUrl fails, and the warning Qt writes about it is counted in `refused`.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    enum class Desktop { Opens, OpensNothing };
    explicit OpenedUrls(Desktop desktop = Desktop::Opens)
    {
        const char* slot = desktop == Desktop::Opens ? "Opened" : "NoProgram";
        for (const char* scheme : Schemes)
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, slot);
        if (desktop == Desktop::OpensNothing) {
            s_refusing = this;
            s_previousHandler = qInstallMessageHandler(CountRefusal);
        }
    }
    ~OpenedUrls() override
    {
        for (const char* scheme : Schemes)
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        if (s_refusing == this) {
            qInstallMessageHandler(s_previousHandler);
            s_refusing = nullptr;
        }
    }
    QList<QUrl> urls;
    int refused = 0;

public slots:
    void Opened(const QUrl& url) { urls.append(url); }

private:
    static constexpr const char* Schemes[] = {"http", "https", "ftp", "file", "mailto"};
    static void CountRefusal(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (s_refusing && message.contains(QLatin1String("No such method OpenedUrls::NoProgram"))) {
            ++s_refusing->refused;
            return;
        }
        s_previousHandler(type, context, message);
    }
    static inline OpenedUrls* s_refusing = nullptr;
    static inline QtMessageHandler s_previousHandler = nullptr;
};

// A fresh program folder for each test, and the program with its work screens.
class ProgramFixture {
public:
    ProgramFixture()
    {
        PrepareApplication(folder.path());
        program = std::make_unique<Program>();
    }
    ~ProgramFixture()
    {
        program.reset();
        Messages::SetHandler({});
    }

    QString Path(const QString& name) const { return folder.filePath(name); }
    void WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // See MakeUnusableFile.
    void MakeUnusable(const QString& name, const QString& kind) const { MakeUnusableFile(Path(name), kind); }
    static void AddUnusableKinds() { AddUnusableFileKinds(); }

    QTemporaryDir folder;
    std::unique_ptr<Program> program;
};

// The one fixture member of a screen test. Start() (from init()) gives each test function a
// fresh program folder, the program with its work screens and, unless told otherwise, a
// recorder that answers its messages, with no injected file fault armed; Stop() (from
// cleanup()) ends them in the reverse order and disarms the fault seam again.
class ScreenTestFixture {
public:
    enum class Recording { Messages, None };
    void Start(Recording recording = Recording::Messages)
    {
        IoFaults::Reset();
        m_program = std::make_unique<ProgramFixture>();
        if (recording == Recording::Messages)
            messages = std::make_unique<MessageRecorder>();
    }
    void Stop()
    {
        messages.reset();
        m_program.reset();
        IoFaults::Reset();
    }
    ProgramFixture* operator->() const { return m_program.get(); }
    ProgramFixture& operator*() const { return *m_program; }

    std::unique_ptr<MessageRecorder> messages;

private:
    std::unique_ptr<ProgramFixture> m_program;
};

// Runs `action` on the modal tool as soon as it is up (while the code that opened it waits
// in exec()). The action must close the tool. The wait is bounded: a tool that does not come
// up within the time, or that the action leaves open, fails the test (and the tool is ended
// so that the test goes on). The progress window of a long piece of work is not the tool.
inline void WhenModal(std::function<void(QWidget*)> action, int timeoutMs = 10000)
{
    auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, poll, deadline]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (qobject_cast<QProgressDialog*>(modal)) // the long work of the tool coming up, not the tool
            modal = nullptr;
        if (modal) {
            action(modal);
            if (modal == QApplication::activeModalWidget() && modal->isVisible()) {
                QTest::qFail("the action left the modal window open", __FILE__, __LINE__);
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->done(QDialog::Rejected);
            }
        } else if (deadline->hasExpired()) {
            QTest::qFail("no modal window came up in time", __FILE__, __LINE__);
        } else {
            QTimer::singleShot(5, *poll);
        }
    };
    QTimer::singleShot(0, *poll);
}

template <class T = QWidget>
T* Child(QWidget* screen, const char* name)
{
    T* child = screen->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qWarning("no control %s on %s", name, screen->metaObject()->className());
    return child;
}

inline void Click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

// The names of the `count` controls that Tab reaches one after another, starting with `first`.
inline QStringList TabOrder(QWidget* first, int count)
{
    QStringList names;
    QWidget* next = first;
    for (int i = 0; i < count; ++i) {
        names << next->objectName();
        do
            next = next->nextInFocusChain();
        while (!next->isVisible() || !(next->focusPolicy() & Qt::TabFocus));
    }
    return names;
}

// The top-level windows a person would see now, by class name.
inline QStringList VisibleScreens()
{
    QStringList names;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            names.append(QString::fromLatin1(window->metaObject()->className()));
    names.sort();
    return names;
}
