#include "kit/TextRules.h"

#include "storage/Cp1252.h"

QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

Text ToText(const QString& text)
{
    return text.toStdU16String();
}

QString TrimText(const QString& text)
{
    return QString::fromStdU16String(Trim(text.toStdU16String()));
}

QString UpperAZ(const QString& text)
{
    return QString::fromStdU16String(::UpperAZ(text.toStdU16String()));
}

QString StorableText(const QString& text)
{
    return ToQString(FromCp1252(ToCp1252(text.toStdU16String())));
}
