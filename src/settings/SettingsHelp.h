#pragma once

#include <QString>

// The help that "Guida" on the settings menu hands to the help viewer: the start screen and
// the field titles, in paragraphs separated by an empty line (CR LF CR LF).
QString SettingsHelpTitle();
QString SettingsHelpText();
