#pragma once

#include "kit/SearchTool.h"

// The database search: up to ten criteria on the criteria panel; "Cerca" lists the sheets
// found. A double-click puts the line's sheet on the database sheet screen it serves.
class TfrmTrovaDatabase : public SearchTool {
    Q_OBJECT
public:
    explicit TfrmTrovaDatabase(SheetScreen& served);

protected:
    // Also reads the titles of the first six fields from the settings.
    void FormShow() override;
    void OpenLine(std::u16string_view line) override;

private:
    static Text& SharedFindText();
};
