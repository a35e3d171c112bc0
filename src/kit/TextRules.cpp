#include "kit/TextRules.h"

#include "storage/Text.h"

QString TrimText(const QString& text)
{
    return QString::fromStdU16String(Trim(text.toStdU16String()));
}

QString UpperAZ(const QString& text)
{
    return QString::fromStdU16String(::UpperAZ(text.toStdU16String()));
}
