#pragma once

#include <QString>

// The help that "Guida" on the start menu hands to the help viewer: an overview of the whole
// program, in paragraphs separated by an empty line (CR LF CR LF).
QString OverviewHelpTitle();
QString OverviewHelpText();
