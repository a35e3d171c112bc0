#pragma once

#include "kit/ListTool.h"

// The flagged sheets: every sheet whose Segnala is "Sì", one line each, with the find in
// list; a double-click puts the line's sheet on the database sheet screen.
class TfrmSegnalati : public ListTool {
    Q_OBJECT
public:
    explicit TfrmSegnalati(SheetScreen& served);

protected:
    void FormShow() override;
    void OpenLine(std::u16string_view line) override;

private:
    static Text& SharedFindText();
};
