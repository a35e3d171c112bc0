#pragma once
// Records of either archive for the tests: built field by field, raw bytes where a test needs
// a field as another program might have written it, written to the archive file of the
// program folder at once, and read back from it by position.
#include "storage/ProgramFolder.h"
#include "storage/Records.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

using CF = ClientField;
using DF = DatabaseField;

// The archive file of Layout in the program folder.
template <const auto& Layout>
QString RecordFilePath()
{
    return QString::fromStdString(ProgramFile(Layout.fileName).string());
}

template <const auto& Layout>
TRecord<Layout> MakeRecord(std::initializer_list<std::pair<FieldOf<Layout>, const char16_t*>> fields)
{
    TRecord<Layout> record;
    for (const auto& [field, text] : fields)
        record.Set(field, text);
    return record;
}

inline TSchedaCliente Client(std::initializer_list<std::pair<CF, const char16_t*>> fields)
{
    return MakeRecord<ClientLayout>(fields);
}

inline TSchedaDatabase Sheet(std::initializer_list<std::pair<DF, const char16_t*>> fields)
{
    return MakeRecord<DatabaseLayout>(fields);
}

template <const auto& Layout>
QByteArray RecordBytes(const TRecord<Layout>& record)
{
    return QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(TRecord<Layout>::Size));
}

// Stores `text` in the field byte for byte (Latin-1 characters), untrimmed, followed by
// `leftover` bytes beyond the length, as a file written by other means may hold it.
template <const auto& Layout>
void SetRaw(TRecord<Layout>& record, FieldOf<Layout> field, const QByteArray& text, const QByteArray& leftover = {})
{
    const FieldSpec& fieldSpec = TRecord<Layout>::FieldSpecOf(field);
    uint8_t* bytes = record.data() + fieldSpec.offset;
    bytes[0] = static_cast<uint8_t>(text.size());
    std::memcpy(bytes + 1, text.constData(), std::size_t(text.size()));
    std::memcpy(bytes + 1 + text.size(), leftover.constData(), std::size_t(leftover.size()));
}

// Replaces the archive file with `records`, followed by `tail` (bytes that are no whole record).
template <const auto& Layout>
void WriteRecords(const std::vector<TRecord<Layout>>& records, const QByteArray& tail = {})
{
    QFile file(RecordFilePath<Layout>());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const TRecord<Layout>& record : records)
        QCOMPARE(file.write(RecordBytes<Layout>(record)), qsizetype(TRecord<Layout>::Size));
    QCOMPARE(file.write(tail), tail.size());
}

// The whole archive file; empty when there is none.
template <const auto& Layout>
QByteArray RecordFileBytes()
{
    QFile file(RecordFilePath<Layout>());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The record stored at `position` (from 1); an empty record when the file holds none there.
template <const auto& Layout>
TRecord<Layout> StoredRecord(int position)
{
    constexpr qsizetype size = qsizetype(TRecord<Layout>::Size);
    TRecord<Layout> record;
    const QByteArray bytes = RecordFileBytes<Layout>().mid((position - 1) * size, size);
    if (bytes.size() == size)
        std::memcpy(record.data(), bytes.constData(), std::size_t(size));
    return record;
}
