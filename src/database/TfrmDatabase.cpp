#include "database/TfrmDatabase.h"

#include "kit/DesignColours.h"
#include "kit/CommandBar.h"
#include "kit/FittedTitle.h"
#include "kit/GenericFieldLayout.h"
#include "kit/Maker.h"

#include "kit/Messages.h"
#include "kit/StatusLine.h"
#include "kit/TMisc.h"
#include "kit/TextBoxes.h"
#include "kit/TextRules.h"
#include "kit/TfrmGuida.h"
#include "kit/Widgets.h"
#include "kit/CommandFaces.h"
#include "database/DatabaseHelp.h"
#include "database/TfrmAnteprimaPrev.h"
#include "database/TfrmExpDatabase.h"
#include "database/TfrmSegnalati.h"
#include "database/TfrmStampaDatabase.h"
#include "database/TfrmTrovaDatabase.h"
#include "archive/WebAddress.h"
#include "storage/ArchiveSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>


using CommandFaces::Symbol;

namespace {

const QString SectionStyle = QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #F6F9FD,"
                                            " stop:1 #DCE7F5); border: 1px solid #B8C7DD; border-radius: 8px;");
const QString IconBoxStyle = QStringLiteral("background: white; border: 1px solid #B8C7DD; border-radius: 6px;");

QString TwoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QLabel* FieldTitle(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    QLabel* title = Widgets::NewLabel(parent, name, text);
    title->setGeometry(geometry);
    title->setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 9, true));
    title->setStyleSheet(DesignColours::TextStyle(DesignColours::Ink));
    return title;
}

QLineEdit* TextBox(QWidget* parent, const QString& name, const QRect& geometry)
{
    QLineEdit* box = Widgets::NewLineEdit(parent, name);
    box->setGeometry(geometry);
    box->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 10));
    TextBoxes::AttachHighlightFrame(box);
    return box;
}

CommandPicture* Picture(QWidget* parent, const QString& name, const QPixmap& pixmap, const QRect& geometry)
{
    auto* picture = new CommandPicture(parent, name, pixmap);
    picture->setGeometry(geometry);
    return picture;
}

QLabel* StillPicture(QWidget* parent, const QString& name, const QPixmap& pixmap, const QRect& geometry)
{
    QLabel* picture = Widgets::NewLabel(parent, name);
    picture->setPixmap(pixmap);
    picture->setAlignment(Qt::AlignCenter);
    picture->setGeometry(geometry);
    return picture;
}

} // namespace

TfrmDatabase::TfrmDatabase(ScreenFlow& flow, SheetTools::Openers tools, QWidget* parent)
    : SheetScreen(Archive::Database, flow, std::move(tools), Maker::Caption(QStringLiteral("Gestione Database")), StatusLine::Blue,
                  DatabaseLayout, parent)
{
    BuildCommandBar();
    BuildGenericFields();
    BuildContactBlock();
    BuildInternetBlock();
    BindToRecord();
    SetEnterChainAndTabOrder();
}

void TfrmDatabase::BuildCommandBar()
{
    QWidget* design = Design();
    StatusLine* status = Status();
    CommandBar bar(design, status);
    auto command = [&](const char* name, Symbol symbol, const QString& caption, int x, int width,
                       void (TfrmDatabase::*handler)(), const QString& hover = {}) {
        const QSize size(width, 56);
        bar.AddCommand(name, CommandFaces::Command(size, symbol, caption), QRect(QPoint(x, 8), size),
                       [this, handler] { (this->*handler)(); }, hover);
    };

    bar.AddTile("shpNuovo", QRect(4, 4, 268, 64));
    command("cmdNuovo", Symbol::New, QStringLiteral("Nuovo"), 8, 62, &TfrmDatabase::cmdNuovoClick);
    command("cmdDuplica", Symbol::Duplicate, QStringLiteral("Duplica"), 74, 62, &TfrmDatabase::cmdDuplicaClick);
    command("cmdSalva", Symbol::Save, QStringLiteral("Salva"), 140, 62, &TfrmDatabase::cmdSalvaClick);
    command("cmdTrova", Symbol::Find, QStringLiteral("Trova"), 206, 62, &TfrmDatabase::cmdTrovaClick);

    bar.AddTile("shpAllega", QRect(276, 4, 70, 64));
    command("cmdFile", Symbol::Attach, QStringLiteral("Allega file"), 280, 62, &TfrmDatabase::cmdFileClick);
    bar.AddTile("shpAnteprima", QRect(350, 4, 70, 64));
    command("cmdAnteprima", Symbol::Preview, QStringLiteral("Anteprima"), 354, 62, &TfrmDatabase::cmdAnteprimaClick);
    bar.AddTile("shpStampa", QRect(424, 4, 70, 64));
    command("cmdStampa", Symbol::Print, QStringLiteral("Stampa"), 428, 62, &TfrmDatabase::cmdStampaClick);
    bar.AddTile("shpSegnalati", QRect(498, 4, 134, 64));
    command("cmdSegnalati", Symbol::Flagged, QStringLiteral("Record segnalati"), 502, 126,
            &TfrmDatabase::cmdSegnalatiClick, QStringLiteral("Visualizza il riepilogo dei record segnalati."));

    bar.AddTile("shpRecord", QRect(636, 4, 210, 64));
    command("cmdPrimo", Symbol::First, {}, 640, 36, &TfrmDatabase::cmdPrimoClick);
    command("cmdIndietro", Symbol::Previous, {}, 678, 36, &TfrmDatabase::cmdIndietroClick);
    PositionLabel()->setGeometry(716, 8, 50, 56);
    PositionLabel()->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 11, true));
    PositionLabel()->setStyleSheet(DesignColours::TextStyle(DesignColours::Ink));
    PositionLabel()->raise();
    command("cmdAvanti", Symbol::Next, {}, 768, 36, &TfrmDatabase::cmdAvantiClick);
    command("cmdUltimo", Symbol::Last, {}, 806, 36, &TfrmDatabase::cmdUltimoClick);

    bar.AddTile("shpRiepiloghi", QRect(850, 4, 70, 64));
    command("cmdEsporta", Symbol::Export, QStringLiteral("Esporta"), 854, 62, &TfrmDatabase::cmdEsportaClick);

    bar.AddTile("shpEsci", QRect(924, 4, 88, 64));
    command("cmdGuida", Symbol::Help, QStringLiteral("Guida"), 928, 40, &TfrmDatabase::cmdGuidaClick);
    bar.Place(ExitCommand(), CommandFaces::Command(QSize(40, 56), Symbol::Exit, QStringLiteral("Esci")),
              QRect(970, 8, 40, 56));

    QWidget* bkgTitolo = Widgets::NewShape(design, QStringLiteral("bkgTitolo"), QRect(4, 74, 1008, 42),
        DesignColours::TitleBandStyle(8));
    status->AddBackground(bkgTitolo);
    m_titNomeArchivio = new FittedTitle(bkgTitolo, QStringLiteral("titNomeArchivio"));
    m_titNomeArchivio->setGeometry(8, 0, 992, 42);
    m_titNomeArchivio->setFont(Widgets::DesignFont(QStringLiteral("Arial"), 22, true));
    m_titNomeArchivio->setStyleSheet(QStringLiteral("color: white;"));
    m_titNomeArchivio->setAlignment(Qt::AlignCenter);
    m_titNomeArchivio->setMouseTracking(true);
    status->AddBackground(m_titNomeArchivio);
}

// A section of the sheet: its background, the box at its left and the picture in that box.
void TfrmDatabase::BuildSection(const QString& number, const QRect& area, const QRect& iconBox, const QString& iconName,
                                const QPixmap& icon, const QRect& iconArea)
{
    QWidget* design = Design();
    Status()->AddBackground(Widgets::NewShape(design, QStringLiteral("shpSezione") + number, area, SectionStyle));
    Status()->AddBackground(Widgets::NewShape(design, QStringLiteral("shpIconaSez") + number, iconBox, IconBoxStyle));
    StillPicture(design, iconName, icon, iconArea);
}

void TfrmDatabase::BuildGenericFields()
{
    QWidget* design = Design();
    BuildSection(QStringLiteral("01"), QRect(4, 122, 1008, 302), QRect(12, 132, 72, 72), QStringLiteral("icoFaldoni"),
                 CommandFaces::Symbolic(56, Symbol::Folders), QRect(16, 136, 64, 64));

    // The fourteen fields lie where the field-name screen previews their titles.
    for (int field = 0; field < 14; ++field) {
        const QString number = TwoDigits(field + 1);
        m_titCampo[field] = FieldTitle(design, QStringLiteral("titCampo") + number, {},
                                       GenericFieldLayout::TitleRect(field + 1));
        m_titCampo[field]->setFont(GenericFieldLayout::TitleFont());
        m_txtCampo[field] = TextBox(design, QStringLiteral("txtCampo") + number, GenericFieldLayout::BoxRect(field + 1));
    }
    const int lastRow = 130 + 4 * 58 + 20;
    StillPicture(design, QStringLiteral("icoSegnala"), CommandFaces::Symbolic(22, Symbol::Flag),
                 QRect(904, lastRow + 2, 22, 22));
    m_chkSegnala = new QCheckBox(QStringLiteral("Segnala"), design);
    m_chkSegnala->setObjectName(QStringLiteral("chkSegnala"));
    m_chkSegnala->setGeometry(930, lastRow, 78, 26);
    m_chkSegnala->setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 9, true));
    m_chkSegnala->setStyleSheet(DesignColours::TextStyle(DesignColours::Ink));
    m_chkSegnala->setCursor(Qt::PointingHandCursor);
    Status()->SetHoverText(m_chkSegnala, QStringLiteral("Aggiungi la scheda corrente all'elenco dei record segnalati."));

    QWidget* shpSepara = Widgets::NewShape(design, QStringLiteral("shpSepara"), QRect(4, 428, 1008, 4),
                                           QStringLiteral("background: #1E8C8C; border-radius: 2px;"));
    Status()->AddBackground(shpSepara);
}

void TfrmDatabase::BuildContactBlock()
{
    QWidget* design = Design();
    StatusLine* status = Status();
    BuildSection(QStringLiteral("02"), QRect(4, 436, 1008, 124), QRect(12, 446, 72, 104), QStringLiteral("icoCliente"),
                 CommandFaces::Symbolic(52, Symbol::Person), QRect(16, 466, 64, 64));

    const int row1 = 444;
    const int row2 = 500;
    FieldTitle(design, QStringLiteral("lblField01"), QStringLiteral("Cognome e nome:"), QRect(92, row1, 230, 18));
    m_txtCliente = TextBox(design, QStringLiteral("txtCliente"), QRect(92, row1 + 20, 232, 26));
    auto* impCliente = Picture(design, QStringLiteral("impCliente"), CommandFaces::Symbolic(26, Symbol::Import),
                               QRect(330, row1 + 20, 26, 26));
    status->SetHoverText(impCliente, QStringLiteral("Importa i dati dall'archivio anagrafico dei Clienti."));
    FieldTitle(design, QStringLiteral("lblField02"), QStringLiteral("Via e numero civico:"), QRect(368, row1, 250, 18));
    m_txtIndirizzoRes = TextBox(design, QStringLiteral("txtIndirizzoRes"), QRect(368, row1 + 20, 262, 26));
    FieldTitle(design, QStringLiteral("lblField03"), QStringLiteral("Comune di residenza:"), QRect(642, row1, 250, 18));
    m_txtComuneRes = TextBox(design, QStringLiteral("txtComuneRes"), QRect(642, row1 + 20, 270, 26));
    FieldTitle(design, QStringLiteral("lblField04"), QStringLiteral("Prov."), QRect(924, row1, 80, 18));
    m_txtProvRes = new ProvinceBox(design);
    m_txtProvRes->setObjectName(QStringLiteral("txtProvRes"));
    m_txtProvRes->setGeometry(924, row1 + 20, 80, 26);
    m_txtProvRes->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 10));
    TextBoxes::AttachHighlightFrame(m_txtProvRes);

    FieldTitle(design, QStringLiteral("lblField05"), QStringLiteral("E-mail:"), QRect(92, row2, 230, 18));
    m_txtEmail = TextBox(design, QStringLiteral("txtEmail"), QRect(92, row2 + 20, 232, 26));
    TextBoxes::SetKind(m_txtEmail, BoxKind::Email);
    auto* sndMail = Picture(design, QStringLiteral("sndMail"), CommandFaces::Symbolic(26, Symbol::Mail),
                            QRect(330, row2 + 20, 26, 26));
    status->SetHoverText(sndMail, QStringLiteral("Invia una e-mail all'indirizzo indicato."));
    FieldTitle(design, QStringLiteral("lblField06"), QStringLiteral("Recapito preferenziale:"), QRect(368, row2, 230, 18));
    m_txtRecapito = TextBox(design, QStringLiteral("txtRecapito"), QRect(368, row2 + 20, 232, 26));
    FieldTitle(design, QStringLiteral("lblField07"), QStringLiteral("Codice fiscale:"), QRect(612, row2, 200, 18));
    m_txtCodFisc = TextBox(design, QStringLiteral("txtCodFisc"), QRect(612, row2 + 20, 200, 26));
    TextBoxes::SetKind(m_txtCodFisc, BoxKind::Code);
    auto* btnCodFisc = Picture(design, QStringLiteral("btnCodFisc"), CommandFaces::Symbolic(26, Symbol::Check),
                               QRect(818, row2 + 20, 26, 26));
    status->SetHoverText(btnCodFisc, QStringLiteral("Controlla il codice fiscale."));
    FieldTitle(design, QStringLiteral("lblField08"), QStringLiteral("Partita IVA:"), QRect(856, row2, 120, 18));
    m_txtPartitaIva = TextBox(design, QStringLiteral("txtPartitaIva"), QRect(856, row2 + 20, 116, 26));
    TextBoxes::SetKind(m_txtPartitaIva, BoxKind::DigitsOnly);
    auto* btnPartitaIva = Picture(design, QStringLiteral("btnPartitaIva"), CommandFaces::Symbolic(26, Symbol::Check),
                                  QRect(978, row2 + 20, 26, 26));
    status->SetHoverText(btnPartitaIva, QStringLiteral("Controlla il numero di partita IVA."));

    connect(impCliente, &CommandPicture::clicked, this, &TfrmDatabase::impClienteClick);
    connect(sndMail, &CommandPicture::clicked, this, &TfrmDatabase::sndMailClick);
    connect(btnCodFisc, &CommandPicture::clicked, this, &TfrmDatabase::btnCodFiscClick);
    connect(btnPartitaIva, &CommandPicture::clicked, this, &TfrmDatabase::btnPartitaIvaClick);
}

void TfrmDatabase::BuildInternetBlock()
{
    QWidget* design = Design();
    StatusLine* status = Status();
    BuildSection(QStringLiteral("03"), QRect(4, 566, 1008, 108), QRect(12, 576, 72, 88), QStringLiteral("icoInternet"),
                 CommandFaces::Symbolic(52, Symbol::Globe), QRect(16, 588, 64, 64));

    const int titleY = 590;
    const int boxY = 614;
    StillPicture(design, QStringLiteral("icoGoogle"), CommandFaces::GoogleWord(QSize(70, 22)),
                 QRect(92, titleY - 2, 70, 22))
        ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_txtGoogle = TextBox(design, QStringLiteral("txtGoogle"), QRect(92, boxY, 300, 28));
    m_btnGoogle = Widgets::NewButton(design, QStringLiteral("btnGoogle"), QStringLiteral("Cerca con Google"));
    m_btnGoogle->setGeometry(400, boxY - 1, 140, 30);
    status->SetHoverText(m_btnGoogle, QStringLiteral("Cerca con Google utilizzando le chiavi di ricerca indicate nel "
                                                     "campo di testo."));

    StillPicture(design, QStringLiteral("icoWeb"), CommandFaces::Symbolic(18, Symbol::Globe),
                 QRect(560, titleY, 18, 18));
    FieldTitle(design, QStringLiteral("lblField09"), QStringLiteral("Sito Internet:"), QRect(582, titleY, 200, 18));
    m_txtWeb = TextBox(design, QStringLiteral("txtWeb"), QRect(560, boxY, 330, 28));
    m_btnVai = Widgets::NewButton(design, QStringLiteral("btnVai"), QStringLiteral("Vai"));
    m_btnVai->setGeometry(898, boxY - 1, 106, 30);
    status->SetHoverText(m_btnVai, QStringLiteral("Vai al sito Internet indicato."));

    connect(m_btnGoogle, &QPushButton::clicked, this, &TfrmDatabase::btnGoogleClick);
    connect(m_btnVai, &QPushButton::clicked, this, &TfrmDatabase::btnVaiClick);
}

void TfrmDatabase::BindToRecord()
{
    using F = DatabaseField;
    for (int i = 0; i < 14; ++i)
        BindBox(static_cast<F>(static_cast<int>(F::Campo01) + i), m_txtCampo[i]);
    BindBox(F::Cliente, m_txtCliente);
    BindBox(F::IndirizzoRes, m_txtIndirizzoRes);
    BindBox(F::ComuneRes, m_txtComuneRes);
    BindBox(F::ProvRes, m_txtProvRes);
    BindBox(F::Email, m_txtEmail);
    BindBox(F::Recapito, m_txtRecapito);
    BindBox(F::CodFisc, m_txtCodFisc);
    BindBox(F::PartitaIva, m_txtPartitaIva);
    BindBox(F::Google, m_txtGoogle);
    BindBox(F::Web, m_txtWeb, QStringLiteral("https://"));
    BindMark(F::Segnala, m_chkSegnala);
    BindAttachments(F::File01, F::File02, F::File03, F::Desc01, F::Desc02, F::Desc03);
    RequireBox(m_txtCampo[0], QStringLiteral("Attenzione: per salvare la scheda è necessario compilare il primo "
                                             "campo del database."));
    RequireBox(m_txtCliente, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del "
                                            "Cliente associato."));
    SetFirstBox(m_txtCampo[0]);
}

void TfrmDatabase::SetEnterChainAndTabOrder()
{
    QList<QWidget*> chain;
    for (QLineEdit* box : m_txtCampo)
        chain.append(box);
    chain << m_txtCliente << m_txtIndirizzoRes << m_txtComuneRes << m_txtProvRes << m_txtEmail << m_txtRecapito
          << m_txtCodFisc << m_txtPartitaIva << m_txtGoogle << m_txtWeb;
    TextBoxes::SetEnterChain(chain, true);

    QList<QWidget*> tabs;
    for (QLineEdit* box : m_txtCampo)
        tabs.append(box);
    tabs << m_chkSegnala << m_txtCliente << m_txtIndirizzoRes << m_txtComuneRes << m_txtProvRes << m_txtEmail
         << m_txtRecapito << m_txtCodFisc << m_txtPartitaIva << m_txtGoogle << m_btnGoogle << m_txtWeb << m_btnVai;
    for (qsizetype i = 0; i + 1 < tabs.size(); ++i)
        setTabOrder(tabs[i], tabs[i + 1]);
}

void TfrmDatabase::FormShow()
{
    const IniValues settings = LoadSettings(); // one reading of the file per showing
    m_titNomeArchivio->setText(ToQString(ReadArchiveName(settings)));
    const FieldTitles titles = ReadFieldTitles(settings);
    for (int i = 0; i < GenericFieldCount; ++i)
        m_titCampo[i]->setText(ToQString(titles[i]));
    SheetScreen::FormShow();
}

void TfrmDatabase::MostraScheda(const TSchedaDatabase& sheet, std::size_t position)
{
    ShowRecord(sheet.data(), position);
}

void TfrmDatabase::ImportaCliente(const TSchedaCliente& client)
{
    auto put = [&](QWidget* box, ClientField field) { TextBoxes::ShowText(box, ToQString(client.Get(field))); };
    put(m_txtCliente, ClientField::Cliente);
    put(m_txtIndirizzoRes, ClientField::IndirizzoRes);
    put(m_txtComuneRes, ClientField::ComuneRes);
    put(m_txtProvRes, ClientField::ProvRes);
    put(m_txtEmail, ClientField::Email);
    put(m_txtRecapito, ClientField::Recapito);
    put(m_txtCodFisc, ClientField::CodFisc);
    put(m_txtPartitaIva, ClientField::PartitaIva);
}

report::DatabaseSheetTexts TfrmDatabase::ShownSheet() const
{
    const std::vector<Text> shown = ShownFields();
    report::DatabaseSheetTexts texts;
    for (std::size_t i = 0; i < texts.titles.size(); ++i)
        texts.titles[i] = m_titCampo[i]->text().toStdU16String();
    std::copy_n(shown.begin(), texts.values.size(), texts.values.begin());
    return texts;
}

void TfrmDatabase::btnGoogleClick()
{
    const QString phrase = TrimText(m_txtGoogle->text());
    if (phrase.isEmpty()) {
        Messages::Warning(this, QStringLiteral("Attenzione: prima di avviare Google, indicare una chiave di ricerca "
                                               "nell'apposito campo."));
        m_txtGoogle->setFocus(Qt::OtherFocusReason);
        return;
    }
    TMisc::Open(ToQString(WebSearchAddress(phrase.toStdU16String())));
}

void TfrmDatabase::btnVaiClick()
{
    const QString address = TrimText(m_txtWeb->text());
    if (address.isEmpty()) {
        Messages::Warning(this, QStringLiteral("Attenzione: per aprire il sito Web è necessario indicare il suo "
                                               "Indirizzo."));
        m_txtWeb->setText(QStringLiteral("http://"));
        m_txtWeb->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (const auto web = WebAddressToOpen(address.toStdU16String()))
        TMisc::Open(ToQString(*web));
}

void TfrmDatabase::sndMailClick()
{
    TMisc::Open(u'"' + ToQString(MailToAddress(m_txtEmail->text().toStdU16String())) + u'"');
}

void TfrmDatabase::btnCodFiscClick()
{
    OpenCheck(SheetTools::Check::FiscalCode, m_txtCodFisc->text());
}

void TfrmDatabase::btnPartitaIvaClick()
{
    OpenCheck(SheetTools::Check::VatNumber, TrimText(m_txtPartitaIva->text()));
}

void TfrmDatabase::impClienteClick()
{
    OpenClientSearch([this](const TSchedaCliente& client, SheetPosition) { ImportaCliente(client); });
}

void TfrmDatabase::cmdFileClick()
{
    OpenAttachments();
}

void TfrmDatabase::cmdTrovaClick()
{
    OpenTool<TfrmTrovaDatabase>(*this);
}

void TfrmDatabase::cmdSegnalatiClick() { OpenTool<TfrmSegnalati>(*this); }
void TfrmDatabase::cmdEsportaClick() { OpenTool<TfrmExpDatabase>(this); }
void TfrmDatabase::cmdStampaClick() { OpenTool<TfrmStampaDatabase>(*this); }
void TfrmDatabase::cmdAnteprimaClick() { OpenTool<TfrmAnteprimaPrev>(*this); }

void TfrmDatabase::cmdGuidaClick()
{
    OpenTool<TfrmGuida>(this, DatabaseHelpTitle(), DatabaseHelpText());
}
