#include "clients/TfrmClienti.h"

#include "kit/DesignColours.h"
#include "kit/Maker.h"
#include "clients/ClientHelp.h"
#include "clients/TfrmExpClienti.h"
#include "clients/TfrmRicontatta.h"
#include "kit/Printing.h"
#include "kit/SheetTools.h"
#include "kit/StatusLine.h"
#include "kit/TMisc.h"
#include "kit/TextBoxes.h"
#include "kit/TextRules.h"
#include "kit/TfrmGuida.h"
#include "kit/Widgets.h"
#include "archive/WebAddress.h"
#include "report/SheetPages.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

using CommandFaces::Symbol;
using F = ClientField;

namespace {

const QString SectionStyle = QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #EEF5FD,"
                                            " stop:1 #CFE2F6); border: 1px solid #A9C4E4; border-radius: 8px;");
const QString WhiteBoxStyle = QStringLiteral("background: white; border: 1px solid #A9C4E4; border-radius: 6px;");

// Rows of a section: the title's top and the box's top, relative to the section.
constexpr int TitleTop[] = {8, 62, 116};
constexpr int BoxTop[] = {26, 80, 134};
constexpr int BoxHeight = 28;
constexpr int FieldsLeft = 92;

} // namespace

TfrmClienti::TfrmClienti(ScreenFlow& flow, SheetTools::Openers tools, QWidget* parent)
    : SheetScreen(Archive::Clients, flow, std::move(tools), Maker::Caption(QStringLiteral("Anagrafica Clienti")), StatusLine::SlateBlue,
                  ClientLayout, parent)
{
    BuildPersonalData();
    BuildContacts();
    BuildNumbers();
    BuildProfile();
    BuildFollowUp();
    BuildCommandColumn();
    BuildNavigationStrip();
    BindMark(F::Ricontatta, m_chkRicontatta);
    BindAttachments(F::File01, F::File02, F::File03, F::Desc01, F::Desc02, F::Desc03);
    RequireBox(m_txtCliente, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del "
                                            "Cliente."));
    SetFirstBox(m_txtCliente);
    SetEnterChainAndTabOrder();
}

QLineEdit* TfrmClienti::Box(ClientField field, const char* name, const QString& title, const QRect& geometry)
{
    auto* box = Widgets::NewLineEdit(Design(), QString::fromLatin1(name));
    Place(field, box, title, geometry);
    return box;
}

// Puts a box of the sheet in place under its title, in bold Verdana 12, with its frame,
// bound to its field and next in the Enter chain.
void TfrmClienti::Place(ClientField field, QWidget* box, const QString& title, const QRect& geometry)
{
    QLabel* titleLabel = Widgets::NewLabel(Design(), QStringLiteral("tit") + box->objectName().mid(3), title);
    titleLabel->setGeometry(geometry.left(), geometry.top() - 18, geometry.width() + 40, 18);
    titleLabel->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 9));
    titleLabel->setStyleSheet(QStringLiteral("color: #1C2B4A;"));
    box->setGeometry(geometry);
    box->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 12, true));
    TextBoxes::AttachHighlightFrame(box);
    BindBox(field, box);
    m_boxes.append(box);
}

ProvinceBox* TfrmClienti::Province(ClientField field, const char* name, const QRect& geometry)
{
    auto* box = new ProvinceBox(Design());
    box->setObjectName(QString::fromLatin1(name));
    Place(field, box, QStringLiteral("Prov."), geometry);
    return box;
}

CommandPicture* TfrmClienti::SmallCommand(const char* name, Symbol symbol, const QRect& geometry, const QString& hover)
{
    auto* picture = new CommandPicture(Design(), QString::fromLatin1(name), CommandFaces::Symbolic(geometry.width(), symbol));
    picture->setGeometry(geometry);
    Status()->SetHoverText(picture, hover);
    return picture;
}

// A light-blue section with its picture in a white box at its left edge.
void TfrmClienti::BuildSection(int number, int top, int height, Symbol symbol)
{
    QWidget* design = Design();
    const QString suffix = QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
    Status()->AddBackground(Widgets::NewShape(design, QStringLiteral("shpSezione") + suffix,
                                              QRect(4, top, 842, height), SectionStyle));
    const QRect whiteBox(12, top + 10, 70, height - 20);
    Status()->AddBackground(Widgets::NewShape(design, QStringLiteral("shpIconaSez") + suffix, whiteBox, WhiteBoxStyle));
    // The picture covers only itself: the white box around it is background too.
    QLabel* picture = Widgets::NewLabel(design, QStringLiteral("icoSezione") + suffix);
    picture->setPixmap(CommandFaces::Symbolic(52, symbol));
    picture->setAlignment(Qt::AlignCenter);
    QRect pictureArea(0, 0, 52, 52);
    pictureArea.moveCenter(whiteBox.center());
    picture->setGeometry(pictureArea);
}

void TfrmClienti::BuildPersonalData()
{
    const int top = 4;
    BuildSection(1, top, 172, Symbol::Person);
    auto at = [&](int x, int row, int width) { return QRect(x, top + BoxTop[row], width, BoxHeight); };
    m_txtCliente = Box(F::Cliente, "txtCliente", QStringLiteral("Cognome e nome o ragione sociale:"),
                       at(FieldsLeft, 0, 300));
    QLineEdit* txtDataNasc = Box(F::DataNasc, "txtDataNasc", QStringLiteral("Data di nascita:"), at(402, 0, 140));
    txtDataNasc->setAlignment(Qt::AlignCenter);
    Box(F::ComuneNasc, "txtComuneNasc", QStringLiteral("Comune di nascita:"), at(552, 0, 210));
    Province(F::ProvNasc, "txtProvNasc", at(772, 0, 66));

    QLineEdit* txtSesso = Box(F::Sesso, "txtSesso", QStringLiteral("Sesso:"), at(FieldsLeft, 1, 60));
    txtSesso->setAlignment(Qt::AlignCenter);
    TextBoxes::SetKind(txtSesso, BoxKind::UpperOnKeyRelease);
    Box(F::Recapito, "txtRecapito", QStringLiteral("Recapito preferenziale:"), at(162, 1, 210));
    Box(F::IndirizzoRes, "txtIndirizzoRes", QStringLiteral("Residente in Via / Piazza e numero civico:"),
        at(382, 1, 380));
    Province(F::ProvRes, "txtProvRes", at(772, 1, 66));

    Box(F::ComuneRes, "txtComuneRes", QStringLiteral("Comune di residenza:"), at(FieldsLeft, 2, 300));
    QLineEdit* txtCapRes = Box(F::CapRes, "txtCapRes", QStringLiteral("CAP:"), at(402, 2, 90));
    TextBoxes::SetKind(txtCapRes, BoxKind::UpperOnKeyRelease);
    Box(F::Estremi, "txtEstremi", QStringLiteral("Modalità di pagamento:"), at(502, 2, 336));
}

void TfrmClienti::BuildContacts()
{
    const int top = 180;
    BuildSection(2, top, 120, Symbol::Mail);
    auto at = [&](int x, int row, int width) { return QRect(x, top + BoxTop[row], width, BoxHeight); };
    Box(F::TelCasa, "txtTelCasa", QStringLiteral("Tel. casa:"), at(FieldsLeft, 0, 240));
    Box(F::TelUff, "txtTelUff", QStringLiteral("Tel. ufficio:"), at(342, 0, 240));
    Box(F::TelCel, "txtTelCel", QStringLiteral("Tel. cellulare:"), at(592, 0, 246));
    Box(F::Fax, "txtFax", QStringLiteral("Fax:"), at(FieldsLeft, 1, 240));
    QLabel* icoEmail = Widgets::NewLabel(Design(), QStringLiteral("icoEmail"));
    icoEmail->setPixmap(CommandFaces::Symbolic(26, Symbol::Mail));
    icoEmail->setGeometry(342, top + BoxTop[1] + 1, 26, 26);
    m_txtEmail = Box(F::Email, "txtEmail", QStringLiteral("E-mail:"), at(376, 1, 420));
    TextBoxes::SetKind(m_txtEmail, BoxKind::EmailOnKeyRelease);
    auto* btnEmail = SmallCommand("btnEmail", Symbol::Mail, QRect(806, top + BoxTop[1] + 1, 26, 26),
                                  QStringLiteral("Invia una e-mail all'indirizzo indicato."));
    connect(btnEmail, &CommandPicture::clicked, this, &TfrmClienti::btnEmailClick);
}

void TfrmClienti::BuildNumbers()
{
    const int top = 304;
    BuildSection(3, top, 120, Symbol::Money);
    auto at = [&](int x, int row, int width) { return QRect(x, top + BoxTop[row], width, BoxHeight); };
    auto check = [&](const char* name, int x, int row, const QString& hover, void (TfrmClienti::*handler)()) {
        auto* button = SmallCommand(name, Symbol::Check, QRect(x, top + BoxTop[row] + 1, 26, 26), hover);
        connect(button, &CommandPicture::clicked, this, handler);
    };
    m_txtCodFisc = Box(F::CodFisc, "txtCodFisc", QStringLiteral("Codice fiscale:"), at(FieldsLeft, 0, 230));
    TextBoxes::SetKind(m_txtCodFisc, BoxKind::Code);
    check("btnCodFisc", 328, 0, QStringLiteral("Controlla il codice fiscale."), &TfrmClienti::btnCodFiscClick);
    m_txtCarta = Box(F::Carta, "txtCarta", QStringLiteral("Carta di credito n."), at(366, 0, 270));
    TextBoxes::SetKind(m_txtCarta, BoxKind::DigitsOnly);
    check("btnCarta", 642, 0, QStringLiteral("Controlla il numero di carta di credito."), &TfrmClienti::btnCartaClick);
    Box(F::ScadeCarta, "txtScadeCarta", QStringLiteral("Scadenza:"), at(678, 0, 160));

    m_txtPartitaIva = Box(F::PartitaIva, "txtPartitaIva", QStringLiteral("Partita IVA:"), at(FieldsLeft, 1, 230));
    TextBoxes::SetKind(m_txtPartitaIva, BoxKind::DigitsOnly);
    check("btnPartitaIva", 328, 1, QStringLiteral("Controlla il numero di partita IVA."),
          &TfrmClienti::btnPartitaIvaClick);
    m_txtIban = Box(F::Iban, "txtIban", QStringLiteral("IBAN:"), at(366, 1, 436));
    TextBoxes::SetKind(m_txtIban, BoxKind::Code);
    check("btnIban", 808, 1, QStringLiteral("Controlla l'IBAN."), &TfrmClienti::btnIbanClick);
}

void TfrmClienti::BuildProfile()
{
    const int top = 428;
    BuildSection(4, top, 120, Symbol::Profile);
    auto at = [&](int x, int row, int width) { return QRect(x, top + BoxTop[row], width, BoxHeight); };
    Box(F::Documento, "txtDocumento", QStringLiteral("Estremi documento:"), at(FieldsLeft, 0, 300));
    Box(F::Occupazione, "txtOccupazione", QStringLiteral("Occupazione:"), at(402, 0, 210));
    Box(F::Civile, "txtCivile", QStringLiteral("Stato civile:"), at(622, 0, 216));
    Box(F::Titoli, "txtTitoli", QStringLiteral("Titoli e qualifiche:"), at(FieldsLeft, 1, 300));
    Box(F::Prodotti, "txtProdotti", QStringLiteral("Prodotti o servizi di interesse:"), at(402, 1, 210));
    Box(F::Zona, "txtZona", QStringLiteral("Zona di appartenenza:"), at(622, 1, 216));
}

void TfrmClienti::BuildFollowUp()
{
    const int top = 552;
    BuildSection(5, top, 120, Symbol::Notes);
    auto at = [&](int x, int row, int width) { return QRect(x, top + BoxTop[row], width, BoxHeight); };
    m_txtQuestioni = Box(F::Questioni, "txtQuestioni", QStringLiteral("Questioni in sospeso:"), at(FieldsLeft, 0, 576));
    m_chkRicontatta = new QCheckBox(QStringLiteral("Da ricontattare"), Design());
    m_chkRicontatta->setObjectName(QStringLiteral("chkRicontatta"));
    m_chkRicontatta->setGeometry(680, top + BoxTop[0], 158, BoxHeight);
    m_chkRicontatta->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 9, true));
    m_chkRicontatta->setStyleSheet(QStringLiteral("color: #1C2B4A;"));
    m_chkRicontatta->setCursor(Qt::PointingHandCursor);
    Status()->SetHoverText(m_chkRicontatta,
                           QStringLiteral("Annota che il Cliente è da ricontattare per questioni in sospeso."));
    m_txtNote = Box(F::Note, "txtNote", QStringLiteral("Note:"), at(FieldsLeft, 1, 746));
}

void TfrmClienti::BuildCommandColumn()
{
    QWidget* design = Design();
    StatusLine* status = Status();
    status->AddBackground(Widgets::NewShape(design, QStringLiteral("shpComandi"), QRect(852, 4, 160, 486),
                                            QStringLiteral("background: white; border: 1px solid #A9C4E4;"
                                                           " border-radius: 8px;")));
    int y = 12;
    auto command = [&](const char* name, Symbol symbol, const QString& caption, const QString& hover,
                       void (TfrmClienti::*handler)()) {
        auto* picture = new CommandPicture(design, QString::fromLatin1(name),
                                           CommandFaces::RowCommand(QSize(148, 32), symbol, caption));
        picture->setGeometry(858, y, 148, 32);
        status->SetHoverText(picture, hover);
        connect(picture, &CommandPicture::clicked, this, handler);
        y += 39;
    };
    command("cmdNuovo", Symbol::New, QStringLiteral("Nuovo"),
            QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda."), &TfrmClienti::cmdNuovoClick);
    command("cmdDuplica", Symbol::Duplicate, QStringLiteral("Duplica"),
            QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."),
            &TfrmClienti::cmdDuplicaClick);
    command("cmdFile", Symbol::Attach, QStringLiteral("Allega file"), QStringLiteral("Allega file alla scheda corrente."),
            &TfrmClienti::cmdFileClick);
    command("cmdSalva", Symbol::Save, QStringLiteral("Salva"), QStringLiteral("Salva la scheda corrente in archivio."),
            &TfrmClienti::cmdSalvaClick);
    command("cmdTrova", Symbol::Find, QStringLiteral("Trova"), QStringLiteral("Trova una scheda in archivio."),
            &TfrmClienti::cmdTrovaClick);
    command("cmdAnteprima", Symbol::Preview, QStringLiteral("Anteprima"),
            QStringLiteral("Visualizza l'anteprima di stampa."), &TfrmClienti::cmdAnteprimaClick);
    command("cmdStampa", Symbol::Print, QStringLiteral("Stampa"), QStringLiteral("Stampa la scheda corrente."),
            &TfrmClienti::cmdStampaClick);
    command("cmdPDF", Symbol::Pdf, QStringLiteral("Crea PDF"), QStringLiteral("Esporta la scheda in formato PDF."),
            &TfrmClienti::cmdPDFClick);
    command("cmdRicontatta", Symbol::Recontact, QStringLiteral("Da ricontattare"),
            QStringLiteral("Visualizza il riepilogo dei Clienti da ricontattare."), &TfrmClienti::cmdRicontattaClick);
    command("cmdEsporta", Symbol::Export, QStringLiteral("Esporta archivio"),
            QStringLiteral("Esporta le schede in archivio in un file di Microsoft Excel."), &TfrmClienti::cmdEsportaClick);
    command("cmdGuida", Symbol::Help, QStringLiteral("Guida"), QStringLiteral("Visualizza la guida in linea."),
            &TfrmClienti::cmdGuidaClick);
    CommandPicture* cmdEsci = ExitCommand();
    cmdEsci->setPixmap(CommandFaces::RowCommand(QSize(148, 32), Symbol::Exit, QStringLiteral("Esci")));
    cmdEsci->setGeometry(858, y, 148, 32);
    cmdEsci->raise();

    QLabel* imgDecoro = Widgets::NewLabel(design, QStringLiteral("imgDecoro"));
    imgDecoro->setPixmap(Pictures::IconPicture(Pictures::Icon::Clients, 110, QColor(0x9C, 0xC3, 0xF5)));
    imgDecoro->setAlignment(Qt::AlignCenter);
    imgDecoro->setGeometry(852, 496, 160, 128);
    status->AddBackground(imgDecoro);
}

void TfrmClienti::BuildNavigationStrip()
{
    QWidget* design = Design();
    StatusLine* status = Status();
    QWidget* strip = Widgets::NewShape(design, QStringLiteral("shpNavigazione"), QRect(852, 632, 160, 44),
                                       QStringLiteral("background: white; border: 1px solid #A9C4E4;"
                                                      " border-radius: 8px;"));
    status->AddBackground(strip);
    auto arrow = [&](const char* name, Symbol symbol, int x, const QString& hover, void (TfrmClienti::*handler)()) {
        auto* picture = new CommandPicture(design, QString::fromLatin1(name), CommandFaces::Symbolic(26, symbol));
        picture->setGeometry(x, 641, 26, 26);
        status->SetHoverText(picture, hover);
        connect(picture, &CommandPicture::clicked, this, handler);
    };
    arrow("cmdPrimo", Symbol::First, 858, QStringLiteral("Visualizza la prima scheda in archivio."),
          &TfrmClienti::cmdPrimoClick);
    arrow("cmdIndietro", Symbol::Previous, 886, QStringLiteral("Visualizza la scheda precedente in archivio."),
          &TfrmClienti::cmdIndietroClick);
    PositionLabel()->setGeometry(914, 636, 42, 36);
    PositionLabel()->setStyleSheet(DesignColours::TextStyle(DesignColours::Ink));
    PositionLabel()->raise();
    status->AddBackground(PositionLabel());
    arrow("cmdAvanti", Symbol::Next, 958, QStringLiteral("Visualizza la scheda successiva in archivio."),
          &TfrmClienti::cmdAvantiClick);
    arrow("cmdUltimo", Symbol::Last, 984, QStringLiteral("Visualizza l'ultima scheda in archivio."),
          &TfrmClienti::cmdUltimoClick);
}

// Enter walks the boxes and wraps from txtNote to txtCliente, passing over the check box,
// which Tab visits between txtQuestioni and txtNote.
void TfrmClienti::SetEnterChainAndTabOrder()
{
    TextBoxes::SetEnterChain(m_boxes, true);
    QList<QWidget*> tabs = m_boxes;
    tabs.insert(tabs.indexOf(m_txtNote), m_chkRicontatta);
    for (qsizetype i = 0; i + 1 < tabs.size(); ++i)
        setTabOrder(tabs[i], tabs[i + 1]);
}

void TfrmClienti::cmdFileClick() { OpenAttachments(); }
void TfrmClienti::cmdTrovaClick()
{
    OpenClientSearch([this](const TSchedaCliente& client, SheetPosition position) {
        MostraScheda(client.data(), position);
    });
}
void TfrmClienti::cmdRicontattaClick() { OpenTool<TfrmRicontatta>(*this); }
void TfrmClienti::cmdEsportaClick() { OpenTool<TfrmExpClienti>(this); }
// What the sheet shows now, unsaved edits included, as the printed page takes it.
report::ClientSheetTexts TfrmClienti::ShownClient() const
{
    const std::vector<Text> shown = ShownFields();
    report::ClientSheetTexts texts;
    std::copy(shown.begin(), shown.end(), texts.values.begin());
    return texts;
}

void TfrmClienti::cmdAnteprimaClick() { Printing::Preview(this, report::ClientSheetPage(ShownClient(), Printing::Now())); }
void TfrmClienti::cmdStampaClick() { Printing::Print(this, report::ClientSheetPage(ShownClient(), Printing::Now())); }

void TfrmClienti::cmdPDFClick()
{
    Printing::ExportSheetPdf(this, report::ClientSheetPage(ShownClient(), Printing::Now()), QStringLiteral("Cliente.pdf"));
}

void TfrmClienti::cmdGuidaClick()
{
    OpenTool<TfrmGuida>(this, ClientHelpTitle(), ClientHelpText());
}

void TfrmClienti::btnCodFiscClick()
{
    OpenCheck(SheetTools::Check::FiscalCode, m_txtCodFisc->text());
}

void TfrmClienti::btnPartitaIvaClick()
{
    OpenCheck(SheetTools::Check::VatNumber, TrimText(m_txtPartitaIva->text()));
}

void TfrmClienti::btnCartaClick()
{
    OpenCheck(SheetTools::Check::Card, TrimText(m_txtCarta->text()));
}

void TfrmClienti::btnIbanClick()
{
    OpenCheck(SheetTools::Check::Iban, TrimText(m_txtIban->text()));
}

void TfrmClienti::btnEmailClick()
{
    TMisc::Open(u'"' + QString::fromStdU16String(MailToAddress(m_txtEmail->text().toStdU16String())) + u'"');
}
