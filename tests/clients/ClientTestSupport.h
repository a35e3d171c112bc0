#pragma once
// Clients for the client registry's tests: built field by field and written to Clienti.pro.
#include "storage/ProgramFolder.h"
#include "storage/Records.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#include <initializer_list>
#include <utility>
#include <vector>

using CF = ClientField;

inline TSchedaCliente Client(std::initializer_list<std::pair<CF, const char16_t*>> fields)
{
    TSchedaCliente client;
    for (const auto& [field, text] : fields)
        client.Set(field, text);
    return client;
}

inline void WriteClients(const std::vector<TSchedaCliente>& clients)
{
    QFile file(QString::fromStdString(ProgramFile(ClientLayout.fileName).string()));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const TSchedaCliente& client : clients)
        file.write(reinterpret_cast<const char*>(client.data()), qsizetype(TSchedaCliente::Size));
}

inline QByteArray ClientsFileBytes()
{
    QFile file(QString::fromStdString(ProgramFile(ClientLayout.fileName).string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline TSchedaCliente StoredClient(int position)
{
    TSchedaCliente client;
    const QByteArray bytes =
        ClientsFileBytes().mid((position - 1) * qsizetype(TSchedaCliente::Size), qsizetype(TSchedaCliente::Size));
    if (bytes.size() == qsizetype(TSchedaCliente::Size))
        std::memcpy(client.data(), bytes.constData(), TSchedaCliente::Size);
    return client;
}
