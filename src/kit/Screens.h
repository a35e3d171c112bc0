#pragma once

#include <QDialog>
#include <QWidget>

class QCloseEvent;
class QLabel;
class QShowEvent;

// A full-size work screen: opens maximised with its 1016 x 713 design centred in the
// window. It lives for the whole run and hands over to another work screen by showing it
// and hiding itself; its close box does exactly what its exit command does.
class WorkScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize DesignSize{1016, 713};

    WorkScreen(const QString& caption, QWidget* parent = nullptr);

    // Shows the screen maximised and runs its show handling.
    void ShowScreen();
    // The design area on which the screen's controls are placed.
    QWidget* Design() const { return m_design; }

protected:
    // Show handling, run every time the screen is shown (not when it is un-minimised).
    virtual void FormShow() {}
    // Close handling: where the screen hands over. Runs before the screen hides.
    virtual void FormClose() {}

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* m_design;
};

// A small fixed-size window without title-bar buttons, centred on the screen: the login
// and change-password screens, which are work screens too.
class FixedScreen : public QWidget {
    Q_OBJECT
public:
    FixedScreen(const QString& caption, const QSize& clientSize, QWidget* parent = nullptr);
    void ShowScreen();

protected:
    virtual void FormShow() {}
    virtual void FormClose() {}
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// A tool: a fixed-size modal window without title-bar buttons, made anew for every use by
// the screen that opens it and destroyed when it closes. It closes only through its own
// commands (Escape and the window manager's close do nothing).
class ToolDialog : public QDialog {
    Q_OBJECT
public:
    enum class Placement { CentredOnScreen, CentredOnOpener };

    ToolDialog(QWidget* opener, const QString& caption, const QSize& clientSize,
               Placement placement = Placement::CentredOnScreen);

    // Closes the tool from one of its own commands.
    void CloseTool();
    void reject() override {}

protected:
    virtual void FormShow() {}
    void showEvent(QShowEvent* event) override;
    // Enter presses a button only when that button has the focus: a dialog would otherwise
    // press its default button for Enter in a list, a grid or a check box.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Placement m_placement;
};

// The one way to open a tool: makes a fresh one from what it needs (its opener or the screen
// it serves, and what it starts with), runs it modally and destroys it.
template <class Tool, class... Needs>
void OpenTool(Needs&&... needs)
{
    auto* tool = new Tool(std::forward<Needs>(needs)...);
    tool->exec();
    delete tool;
}

// Centres a window on the screen, or on another window.
void CentreWindow(QWidget* window, const QWidget* over = nullptr);
