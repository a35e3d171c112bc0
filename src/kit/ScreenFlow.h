#pragma once

#include <QString>

class QWidget;
class SheetScreen;

// The two record archives: which sheet screen a tool serves, which file it works on.
enum class Archive { Database, Clients };

// The marker an opener writes into a tool's hidden label lblMemory: "database" or "clienti".
QString ArchiveMarker(Archive archive);

// The program's work screens, as one screen names another when it hands over.
enum class WorkScreenId {
    Login, StartMenu, ChangePassword, DatabaseSheet, ClientSheet, SettingsMenu, FieldNames, StartScreenSettings,
};

// How work screens reach one another: the program that owns them answers. A screen shows the
// next one by its id, and the program ends from the few places that may end it.
class ScreenFlow {
public:
    // The program's flow, set while a program runs (nullptr otherwise).
    static ScreenFlow* Current();

    virtual QWidget* Screen(WorkScreenId id) const = 0;
    // The sheet screen of an archive.
    virtual SheetScreen* Sheet(Archive archive) const = 0;
    // Shows a work screen (maximised, with its show handling).
    virtual void ShowScreen(WorkScreenId id) = 0;
    // Stops the event loop; nothing is saved on the way.
    virtual void End() = 0;

protected:
    ScreenFlow();
    virtual ~ScreenFlow();
    ScreenFlow(const ScreenFlow&) = delete;
    ScreenFlow& operator=(const ScreenFlow&) = delete;
};
