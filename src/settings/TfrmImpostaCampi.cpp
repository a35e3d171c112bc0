#include "settings/TfrmImpostaCampi.h"

TfrmImpostaCampi::TfrmImpostaCampi(QWidget* parent) : SettingsScreen(QStringLiteral(" Velorbis 4.0 - Imposta campi di testo"), parent)
{
}
