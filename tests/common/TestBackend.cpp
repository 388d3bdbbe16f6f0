#include "common/TestBackend.h"

#include "db/CDao_Table.h"
#include "db/DatabaseChoice.h"
#include "platform/database/CDaoDatabase.h"

#include <QSettings>
#include <QTest>

void CTestBackend::AddRows()
{
    QTest::addColumn<bool>("server");
    QTest::newRow("file") << false;
    QTest::newRow("server") << true;
}

bool CTestBackend::Begin()
{
    QFETCH_GLOBAL(bool, server);
    m_bServer = server;
    m_strSkipped.clear();
    if (!m_bServer)
        return true;
    // One server for the whole test class: starting one takes seconds.
    if (!m_pServer)
        m_pServer = std::make_unique<CPgTestServer>();
    if (!m_pServer->IsAvailable())
        m_strSkipped = m_pServer->WhyUnavailable();
    else if (!m_pServer->IsRunning() && !m_pServer->Start())
        m_strSkipped = QStringLiteral("the test server does not start: ") + m_pServer->Error();
    if (!m_strSkipped.isEmpty())
        return false;
    m_strDatabase = QStringLiteral("photos%1").arg(++m_nDatabases);
    if (!m_pServer->CreateDatabase(m_strDatabase)) {
        m_strSkipped = QStringLiteral("no database made: ") + m_pServer->Error();
        return false;
    }
    return true;
}

SServerConnection CTestBackend::Connection() const
{
    return m_pServer->Connection(m_strDatabase);
}

bool CTestBackend::Connect(CDao_Table& table) const
{
    return m_bServer ? table.ConnectServer(Connection()) : table.Connect();
}

void CTestBackend::OpenOther(CDaoDatabase& db) const
{
    if (m_bServer)
        db.OpenServer(Connection());
    else
        db.Open(QStringLiteral("Photos.mdb"));
}

void CTestBackend::ChooseForProgram() const
{
    QSettings settings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"));
    WriteDatabaseChoice(settings, m_bServer ? std::optional(Connection()) : std::nullopt);
}
