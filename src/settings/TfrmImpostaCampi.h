#pragma once

#include "settings/SettingsScreen.h"

#include <QList>

class QLabel;
class QLineEdit;

// Names the fourteen generic fields of the database sheet. Each box's label previews the
// title, trimmed and cut to one line exactly as the sheet will show it.
class TfrmImpostaCampi : public SettingsScreen {
    Q_OBJECT
public:
    explicit TfrmImpostaCampi(ScreenFlow& flow, QWidget* parent = nullptr);

    void btnApplicaClick();
    // Shared by the fourteen boxes (txtCampo01KeyUp ... txtCampo14KeyUp): the label above
    // the box shows the box's text trimmed.
    void txtCampoKeyUp(int index);

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_titNomeArchivio;
    QList<QLabel*> m_titles;
    QList<QLineEdit*> m_boxes;
};
