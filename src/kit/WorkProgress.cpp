#include "kit/WorkProgress.h"

#include "kit/Maker.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>

namespace {
// The window is brought up to date this often: enough for a smooth bar, cheap for the work.
constexpr qint64 PaintEveryMs = 50;
constexpr int Steps = 1000;
} // namespace

WorkProgress::WorkProgress(QWidget* over, QString label) : m_over(over), m_label(std::move(label))
{
    m_elapsed.start();
}

WorkProgress::~WorkProgress()
{
    Finish();
}

void WorkProgress::Reached(std::size_t done, std::size_t total)
{
    if (m_finished)
        return;
    const qint64 now = m_elapsed.elapsed();
    const bool last = done >= total;
    if (now < ShowAfterMs || (now - m_lastPaintMs < PaintEveryMs && !(last && m_window)))
        return;
    m_lastPaintMs = now;
    if (!m_window) {
        m_window = new QProgressDialog(m_label, QString(), 0, Steps, m_over);
        m_window->setObjectName(QStringLiteral("dlgAvanzamento"));
        m_window->setWindowTitle(QStringLiteral(" ") + Maker::ProgramName);
        m_window->setWindowModality(Qt::ApplicationModal);
        m_window->setCancelButton(nullptr);
        m_window->setMinimumDuration(0);
        m_window->setAutoClose(false);
        m_window->setAutoReset(false);
    }
    const int value = total == 0 ? 0 : static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * Steps);
    // The window paints while the work goes on; the input meant for other windows is
    // refused meanwhile, since this one is modal.
    m_window->setValue(std::min(value, Steps));
    if (!m_window->isVisible())
        m_window->show();
    QCoreApplication::processEvents();
}

void WorkProgress::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    delete m_window.data();
    m_wait.Restore();
}
