#pragma once

#include "kit/CommandFaces.h"
#include "kit/SheetScreen.h"
#include "report/SheetPages.h"
#include "storage/Records.h"

class CommandPicture;
class QCheckBox;
class QLineEdit;
class ProvinceBox;

// The client sheet screen ("Anagrafica Clienti"): one client of the registry at a time.
// Browsing, saving and duplicating come from SheetScreen; this screen adds its five sections
// of boxes, its column of commands and the commands of its fields.
class TfrmClienti : public SheetScreen {
    Q_OBJECT
public:
    TfrmClienti(ScreenFlow& flow, SheetTools::Openers tools, QWidget* parent = nullptr);

    void cmdFileClick();
    void cmdTrovaClick();
    void cmdRicontattaClick();
    void cmdEsportaClick();
    void cmdGuidaClick();
    // The page of what the sheet shows now: printed, previewed or written as Cliente.pdf.
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdPDFClick();
    void btnCodFiscClick();
    void btnPartitaIvaClick();
    void btnCartaClick();
    void btnIbanClick();
    void btnEmailClick();

private:
    report::ClientSheetTexts ShownClient() const;
    // One box of the sheet, its title above it, and the field it shows.
    QLineEdit* Box(ClientField field, const char* name, const QString& title, const QRect& geometry);
    ProvinceBox* Province(ClientField field, const char* name, const QRect& geometry);
    void Place(ClientField field, QWidget* box, const QString& title, const QRect& geometry);
    CommandPicture* SmallCommand(const char* name, CommandFaces::Symbol symbol, const QRect& geometry,
                                 const QString& hover);
    void BuildSection(int number, int top, int height, CommandFaces::Symbol symbol);
    void BuildPersonalData();
    void BuildContacts();
    void BuildNumbers();
    void BuildProfile();
    void BuildFollowUp();
    void BuildCommandColumn();
    void BuildNavigationStrip();
    void SetEnterChainAndTabOrder();

    QList<QWidget*> m_boxes; // in tab order, the check box excluded
    QLineEdit* m_txtCliente = nullptr;
    QLineEdit* m_txtEmail = nullptr;
    QLineEdit* m_txtCodFisc = nullptr;
    QLineEdit* m_txtCarta = nullptr;
    QLineEdit* m_txtPartitaIva = nullptr;
    QLineEdit* m_txtIban = nullptr;
    QLineEdit* m_txtQuestioni = nullptr;
    QLineEdit* m_txtNote = nullptr;
    QCheckBox* m_chkRicontatta = nullptr;
};
