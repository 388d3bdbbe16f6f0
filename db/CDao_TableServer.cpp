// The photo database on a PostgreSQL server.
#include "db/CDao_Table.h"

#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"

bool CDao_Table::ConnectServer(const SServerConnection& server)
{
    if (IsDatabaseOpen())
        return true;
    m_strProblem.clear();
    m_strReadOnly.clear();
    try {
        m_pCDaoDatabase->OpenServer(server);
        if (m_pCDaoDatabase->GetObjectKind(m_TableInfo.m_strTableName) == CDaoDatabase::NoObject) {
            try {
                BuildTable();
            } catch (const CDaoException&) {
                // Another Orvala starting at the same moment may have made it
                // first; then it is checked as any table found.
                if (m_pCDaoDatabase->GetObjectKind(m_TableInfo.m_strTableName) ==
                    CDaoDatabase::NoObject)
                    throw;
            }
        }
    } catch (const CDaoException& e) {
        m_strProblem = e.GetErrorDescription();
        m_pCDaoDatabase->Close();
        return false;
    }
    CheckTable();
    if (!IsDatabaseOpen())
        return false;
    if (m_pCDaoDatabase->IsReadOnly())
        m_strReadOnly = tr("the server keeps \"%1\" read-only.").arg(Place());
    return true;
}
