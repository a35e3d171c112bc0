#pragma once

#include "app/ListTool.h"

#include <array>

class QLabel;
class QLineEdit;

// The database search: up to ten criteria on the criteria panel `panAvvio`; "Cerca" lists
// the sheets found on the results panel, for good. A double-click puts the line's sheet on
// the database sheet screen when the opener wrote "database" into `lblMemory`.
class TfrmTrovaDatabase : public ListTool {
    Q_OBJECT
public:
    explicit TfrmTrovaDatabase(QWidget* opener);

    // The caller marker the opener sets: "database" from the database sheet screen.
    QLabel* Memory() const { return m_lblMemory; }

    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();

protected:
    void FormShow() override;
    void FormClose() override;
    void OpenLine(std::u16string_view line) override;

private:
    static Text& SharedFindText();

    QWidget* m_panAvvio;
    std::array<QLineEdit*, 10> m_criteria{}; // in the order of the Enter chain
    std::array<QLabel*, 6> m_titles{};       // titCampo01 to titCampo06
    QLabel* m_lblAttendere;
    QLabel* m_lblConta;
    QLabel* m_lblMemory;
};
