#include "kit/HelpTexts.h"

QString HelpParagraphSeparator()
{
    return QStringLiteral("\r\n\r\n");
}
