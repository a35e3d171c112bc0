#pragma once

#include <QString>

// The help texts that the "Guida" commands hand to the help viewer live beside their
// features; their paragraphs are separated by an empty line written as CR LF CR LF, as the
// viewer's text box expects.

// The separator between two paragraphs of a help text.
QString HelpParagraphSeparator();
