#pragma once

#include <QString>

// The help that "Guida" on the database sheet screen hands to the help viewer: nine
// paragraphs separated by an empty line (CR LF CR LF).
QString DatabaseHelpTitle();
QString DatabaseHelpText();
