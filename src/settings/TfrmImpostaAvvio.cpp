#include "settings/TfrmImpostaAvvio.h"

TfrmImpostaAvvio::TfrmImpostaAvvio(QWidget* parent) : SettingsScreen(QStringLiteral(" Velorbis 4.0 - Imposta schermata di avvio"), parent)
{
}
