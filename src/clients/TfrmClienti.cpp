#include "clients/TfrmClienti.h"

#include "kit/StatusLine.h"

TfrmClienti::TfrmClienti(QWidget* parent)
    : SheetScreen(Archive::Clients, QStringLiteral(" Velorbis 4.0 - Anagrafica Clienti"), StatusLine::SlateBlue,
                  ClientLayout, parent)
{
}
