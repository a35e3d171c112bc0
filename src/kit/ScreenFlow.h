#pragma once

#include <QString>

// The two record archives: which sheet screen a tool serves, which file it works on.
enum class Archive { Database, Clients };

// The marker an opener writes into a tool's hidden label lblMemory: "database" or "clienti".
QString ArchiveMarker(Archive archive);

// How a work screen hands over: the program that owns the screens answers. Each screen is
// given the flow when the program makes it. Every work screen may go back to the start menu
// and a few may end the program; the features add the hand-overs of their own screens.
class ScreenFlow {
public:
    // Shows the start menu (maximised, with its show handling).
    virtual void ShowStartMenu() = 0;
    // Stops the event loop; nothing is saved on the way.
    virtual void End() = 0;

protected:
    ScreenFlow() = default;
    virtual ~ScreenFlow() = default;
    ScreenFlow(const ScreenFlow&) = delete;
    ScreenFlow& operator=(const ScreenFlow&) = delete;
};
