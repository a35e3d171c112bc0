#pragma once

#include "kit/SearchTool.h"

// The client search: up to ten criteria on the criteria panel; "Cerca" lists the clients
// found. A double-click puts the whole client on the client sheet screen, or copies its
// contact data into the database sheet screen, whichever the tool serves.
class TfrmTrovaClienti : public SearchTool {
    Q_OBJECT
public:
    explicit TfrmTrovaClienti(SheetScreen& served);

    // Opens a fresh search for the served sheet screen, runs it and destroys it.
    static void OpenFor(SheetScreen& served);

protected:
    void OpenLine(std::u16string_view line) override;

private:
    static Text& SharedFindText();
};
