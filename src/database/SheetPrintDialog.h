#pragma once
// The two small dialogs of the database sheet's print and preview: an instruction picture,
// "Annulla" and a command that fills the sheet page from what the sheet screen shows at
// that moment and prints it or previews it, then closes the dialog.
#include "kit/Screens.h"
#include "report/SheetPages.h"

class QLabel;
class QPushButton;
class TfrmDatabase;

class SheetPrintDialog : public ToolDialog {
    Q_OBJECT
public:
    void btnStampaClick();
    void btnAnnullaClick();

    QPushButton* StartButton() const { return m_btnStampa; }
    QPushButton* CancelButton() const { return m_btnAnnulla; }

protected:
    enum class Output { Printer, Preview };
    struct Look {
        QString caption;      // " Stampa scheda"
        QString pictureName;  // "icoFaldoni"
        QString title;        // drawn in the picture
        QStringList lines;    // drawn in the picture
        QString startCaption; // "Stampa"
    };
    SheetPrintDialog(TfrmDatabase& sheet, const Look& look, Output output);

private:
    TfrmDatabase& m_sheet;
    Output m_output;
    QPushButton* m_btnAnnulla;
    QPushButton* m_btnStampa;
};

