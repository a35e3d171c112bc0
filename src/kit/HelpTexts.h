#pragma once

#include <QString>

// Titles and texts that the "Guida" commands hand to the help viewer. Paragraphs are
// separated by an empty line written as CR LF CR LF, as the viewer's text box expects.

// Help of the start menu: an overview of the whole program.
QString OverviewHelpTitle();
QString OverviewHelpText();

// Help of the settings menu: start screen and field titles.
QString SettingsHelpTitle();
QString SettingsHelpText();

// The separator between two paragraphs of a help text.
QString HelpParagraphSeparator();
