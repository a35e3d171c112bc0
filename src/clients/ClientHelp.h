#pragma once

#include <QString>

// The help that "Guida" on the client sheet screen hands to the help viewer: nine paragraphs
// separated by an empty line (CR LF CR LF).
QString ClientHelpTitle();
QString ClientHelpText();
