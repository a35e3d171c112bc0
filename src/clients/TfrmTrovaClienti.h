#pragma once

#include "kit/Screens.h"

class QLabel;

// Finds clients by up to ten fields.
class TfrmTrovaClienti : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmTrovaClienti(QWidget* opener);

    // Which sheet screen the search serves: "clienti" or "database" (into lblMemory).
    void SetMode(const QString& mode);

private:
    QLabel* m_lblMemory;
};
