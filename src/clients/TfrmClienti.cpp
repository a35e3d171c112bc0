#include "clients/TfrmClienti.h"

#include "app/StatusLine.h"

TfrmClienti::TfrmClienti(QWidget* parent)
    : SheetScreen(QStringLiteral(" Velorbis 4.0 - Anagrafica Clienti"), StatusLine::SlateBlue,
                  SheetLayout::Of<TSchedaCliente>(), parent)
{
}
