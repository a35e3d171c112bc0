#pragma once

#include "settings/SettingsScreen.h"

#include <QImage>

class QLabel;
class QLineEdit;

// Sets the archive name, the subtitle and the picture of the start menu, laid out as a
// preview of it: the name above the picture, the subtitle below.
class TfrmImpostaAvvio : public SettingsScreen {
    Q_OBJECT
public:
    explicit TfrmImpostaAvvio(ScreenFlow& flow, QWidget* parent = nullptr);

    // The title and filters of the file dialog that chooses a picture.
    static const QString PictureDialogTitle;
    static const QString PictureDialogFilter;

    // The picture that "Applica e chiudi" would store, at its own size.
    QImage Picture() const { return m_picture; }

    void btnSfogliaClick();
    void btnCancLogoClick();
    void btnRipristinaClick();
    void btnApplicaClick();

protected:
    void FormShow() override;

private:
    // Puts a picture in the preview; a null one puts the default picture instead.
    void SetPicture(const QImage& picture);

    QLineEdit* m_txtNomeArchivio;
    QLineEdit* m_txtSottotitolo;
    QLabel* m_imgLogo;
    QLabel* m_imgTemp;
    QLabel* m_imgBianco;
    QImage m_picture;
};
