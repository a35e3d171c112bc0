#pragma once

#include "kit/SheetScreen.h"
#include "report/SheetPages.h"
#include "storage/Records.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ProvinceBox;

// The database sheet screen: one sheet of the customisable database at a time, in boxes
// titled with the names chosen in the settings. Browsing, saving and duplicating come from
// SheetScreen; this screen adds its layout, its titles and the commands of its fields.
class TfrmDatabase : public SheetScreen {
    Q_OBJECT
public:
    TfrmDatabase(ScreenFlow& flow, SheetTools::Openers tools, QWidget* parent = nullptr);

    // Puts a stored sheet and its position (index + 1) on screen. The search and the flagged
    // list use it to show the sheet the user picked.
    void MostraScheda(const TSchedaDatabase& sheet, std::size_t position);
    using SheetScreen::MostraScheda;

    // What the sheet shows now, unsaved edits included, with the field titles, as its
    // printed page takes it.
    report::DatabaseSheetTexts ShownSheet() const;

    // The commands of the fields and the tools.
    void btnGoogleClick();
    void btnVaiClick();
    void sndMailClick();
    void btnCodFiscClick();
    void btnPartitaIvaClick();
    void impClienteClick();
    void cmdFileClick();
    void cmdTrovaClick();
    void cmdSegnalatiClick();
    void cmdEsportaClick();
    void cmdStampaClick();
    void cmdAnteprimaClick();
    void cmdGuidaClick();

protected:
    void FormShow() override;

private:
    // Copies the contact data of a client of the registry into the contact boxes; nothing
    // else changes and nothing is saved.
    void ImportaCliente(const TSchedaCliente& client);
    void BuildCommandBar();
    void BuildSection(const QString& number, const QRect& area, const QRect& iconBox, const QString& iconName,
                      const QPixmap& icon, const QRect& iconArea);
    void BuildGenericFields();
    void BuildContactBlock();
    void BuildInternetBlock();
    void BindToRecord();
    void SetEnterChainAndTabOrder();

    QLabel* m_titNomeArchivio = nullptr;
    std::array<QLabel*, 14> m_titCampo{};
    std::array<QLineEdit*, 14> m_txtCampo{};
    QCheckBox* m_chkSegnala = nullptr;
    QLineEdit* m_txtCliente = nullptr;
    QLineEdit* m_txtIndirizzoRes = nullptr;
    QLineEdit* m_txtComuneRes = nullptr;
    ProvinceBox* m_txtProvRes = nullptr;
    QLineEdit* m_txtEmail = nullptr;
    QLineEdit* m_txtRecapito = nullptr;
    QLineEdit* m_txtCodFisc = nullptr;
    QLineEdit* m_txtPartitaIva = nullptr;
    QLineEdit* m_txtGoogle = nullptr;
    QLineEdit* m_txtWeb = nullptr;
    QPushButton* m_btnGoogle = nullptr;
    QPushButton* m_btnVai = nullptr;
};
