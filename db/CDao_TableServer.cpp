// The photo database on a PostgreSQL server.
#include "db/CDao_Table.h"

#include "db/DatabaseLog.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"

bool CDao_Table::ConnectServer(const SServerConnection& server)
{
    if (IsDatabaseOpen())
        return true;
    m_server = server;
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
    qCDebug(lcDatabase).noquote() << "photo database open on the server:" << Place()
                                  << (m_strReadOnly.isEmpty() ? "(writable)" : "(read-only)");
    return true;
}

void CDao_Table::RecheckServer()
{
    if (IsDatabaseOpen() && m_pCDaoDatabase->IsConnectionAlive())
        return;
    m_pCDaoDatabase->Close();
    ConnectServer(*m_server);
}

QString CDao_Table::LostConnectionMessage(const QString& strError, EFailedAt eAt)
{
    if (!m_server || m_pCDaoDatabase->IsConnectionAlive())
        return QString();
    QString strOutcome;
    switch (eAt) {
    case EFailedAt::Reading:
        break;
    case EFailedAt::Writing:
        strOutcome = tr(" The server undid the command: nothing of it was stored.");
        break;
    case EFailedAt::Committing:
        // The server may have committed just before the line went.
        strOutcome = tr(" Whether the change was stored is not known; the table "
                        "shows it once connected again.");
        break;
    }
    return tr("The connection to the photo database \"%1\" was lost: %2%3 The next "
              "command connects again.")
        .arg(Place(), strError.simplified(), strOutcome);
}

void CDao_Table::RethrowReadFailure()
{
    try {
        throw;
    } catch (const CDaoException& e) {
        const QString strLost = LostConnectionMessage(e.GetErrorDescription(), EFailedAt::Reading);
        if (strLost.isEmpty())
            throw;
        throw CDaoException(strLost);
    }
}
