#pragma once

#include "kit/ListTool.h"

// The clients to recontact: every client whose Ricontatta is "Sì", one line each, with the
// find in list; a double-click puts the line's client on the client sheet screen.
class TfrmRicontatta : public ListTool {
    Q_OBJECT
public:
    explicit TfrmRicontatta(SheetScreen& served);

protected:
    void FormShow() override;
    void OpenLine(std::u16string_view line) override;

private:
    static Text& SharedFindText();
};
