#pragma once

#include "kit/SearchTool.h"
#include "kit/SheetTools.h"

// The client search: up to ten criteria on the criteria panel; "Cerca" lists the clients
// found. A double-click hands the client to the served sheet screen, which shows it whole
// (the client sheet) or takes its contact data (the database sheet).
class TfrmTrovaClienti : public SearchTool {
    Q_OBJECT
public:
    TfrmTrovaClienti(SheetScreen& served, SheetTools::ClientPicked picked);

protected:
    void OpenLine(std::u16string_view line) override;

private:
    static Text& SharedFindText();

    SheetTools::ClientPicked m_picked;
};
