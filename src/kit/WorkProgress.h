#pragma once
// Shows a long piece of work as the user expects it: the wait cursor at once and, once the
// work has taken half a second, a progress window over the screen that blocks every other
// input until the work ends. Everything stays on the user-interface thread: the window is
// painted while the core reports its progress.
#include "storage/Progress.h"

#include "kit/WaitCursor.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

class WorkProgress final : public Progress {
public:
    // The progress window, when it comes, is shown over `over` with `label` as its text.
    WorkProgress(QWidget* over, QString label);
    ~WorkProgress() override;
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    void Reached(std::size_t done, std::size_t total) override;
    // Ends the wait before the scope does, for a message shown meanwhile.
    void Finish();

    static constexpr int ShowAfterMs = 500;

private:
    QWidget* m_over;
    QString m_label;
    WaitCursor m_wait;
    QElapsedTimer m_elapsed;
    QPointer<QProgressDialog> m_window;
    qint64 m_lastPaintMs = 0;
    bool m_finished = false;
};
