#pragma once

#include "common/PgTestServer.h"
#include "platform/database/SServerConnection.h"

#include <QString>

#include <memory>

class CDao_Table;
class CDaoDatabase;

// The photo database a data-driven test runs against, one global row each:
// "file", the local Photos.mdb in the test's working folder, or "server", a
// fresh database of its own on a PostgreSQL server the tests start once. A
// test class adds the rows in initTestCase_data() and calls Begin() in init().
class CTestBackend
{
public:
    static void AddRows();

    // Takes this row's backend and, on the server, a new empty database.
    // False when the row can not run here; WhySkipped() says why, for QSKIP.
    bool Begin();
    QString WhySkipped() const { return m_strSkipped; }

    bool IsServer() const { return m_bServer; }
    // Connects as the program does at start: the file in the working folder,
    // or this test's server database.
    bool Connect(CDao_Table& table) const;
    // Another program's connection to the same database.
    void OpenOther(CDaoDatabase& db) const;
    // Makes the program started next open this database: call once the test's
    // settings folder (CTestWorkspace) is in place.
    void ChooseForProgram() const;
    // The server, for fault tests; null on the file row.
    CPgTestServer* Server() const { return m_bServer ? m_pServer.get() : nullptr; }
    SServerConnection Connection() const;

private:
    std::unique_ptr<CPgTestServer> m_pServer;
    QString m_strDatabase;
    QString m_strSkipped;
    int m_nDatabases = 0;
    bool m_bServer = false;
};
