#include "clients/TfrmClienti.h"

#include "kit/Maker.h"
#include "kit/StatusLine.h"

TfrmClienti::TfrmClienti(QWidget* parent)
    : SheetScreen(Archive::Clients, Maker::Caption(QStringLiteral("Anagrafica Clienti")), StatusLine::SlateBlue,
                  ClientLayout, parent)
{
}
