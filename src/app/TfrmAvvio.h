#pragma once

#include "app/Screens.h"

class CommandPicture;
class QLabel;

// The start menu: the archive's name, subtitle and picture, and the ways into the program.
class TfrmAvvio : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget* parent = nullptr);

    // The built-in picture shown when Logo.bmp is missing or unreadable.
    static QPixmap DefaultPicture();
    // Fits any picture into the 912 x 409 picture area, keeping its proportions.
    static QPixmap FitToPictureArea(const QPixmap& picture);

    void cmdDatabaseClick();
    void cmdClientiClick();
    void cmdImpostazioniClick();
    void imgGuidaClick();
    void imgInfoClick();
    void imgCopyrightClick();
    void imgSitoWebClick();
    void imgEsciClick();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void HandOverTo(class WorkScreen* next);

    QLabel* m_titNomeArchivio;
    QLabel* m_titSottotitolo;
    QLabel* m_imgLogo;
    QLabel* m_imgTemp;
};
