#include "db/DatabaseMessages.h"

#include "db/CDao_Table.h"
#include "db/CDia_ServerPassword.h"
#include "db/DatabaseChoice.h"
#include "db/DatabaseFile.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/framework/MessageBox.h"

#include <QCoreApplication>

namespace {
// The context these messages are translated in.
struct DatabaseMessages
{
    Q_DECLARE_TR_FUNCTIONS(DatabaseMessages)
};
} // namespace

bool ConnectPhotoDatabase(CDao_Table& table, const std::optional<SServerConnection>& server)
{
    bool bConnected = false;
    if (server) {
        SServerConnection connection = *server;
        bConnected = table.ConnectServer(connection);
        // The password typed is kept with the connection for the run, so a
        // reconnect uses it too; a wrong one is asked for again.
        while (!bConnected &&
               table.m_pCDaoDatabase->GetPasswordRefusal() != EServerPassword::NotTheCause) {
            const bool bRefused =
                table.m_pCDaoDatabase->GetPasswordRefusal() == EServerPassword::Refused;
            CDia_ServerPassword dialog(connection,
                                       bRefused ? table.UnavailableMessage() : QString());
            if (dialog.DoModal() != IDOK)
                break;
            connection.m_strPassword = dialog.Password();
            bConnected = table.ConnectServer(connection);
        }
    } else {
        bConnected = table.Connect();
    }
    if (!bConnected) {
        AfxMessageBox(table.UnavailableMessage() +
                          DatabaseMessages::tr("\nPictures can still be browsed."),
                      MB_OK | MB_ICONERROR);
        return false;
    }
    if (!table.IsDatabaseWritable())
        AfxMessageBox(table.ReadOnlyMessage() +
                          DatabaseMessages::tr("\nIts records can still be browsed and found."),
                      MB_OK | MB_ICONEXCLAMATION);
    else if (const QString strType = NetworkFileSystemOf(table.FilePath()); !strType.isEmpty())
        AfxMessageBox(
            DatabaseMessages::tr("\"%1\" lies on a network file system (%2), whose locks are not "
                                 "reliable: two computers writing it at once can damage it. For "
                                 "several computers, choose a PostgreSQL server in Database > "
                                 "Photo Database...")
                .arg(table.FilePath(), strType),
            MB_OK | MB_ICONEXCLAMATION);
    return true;
}

bool CheckDatabase(CDao_Table& table)
{
    // The file may have gone since the start, or a server's connection.
    table.Recheck();
    if (table.IsDatabaseOpen())
        return true;
    AfxMessageBox(table.UnavailableMessage(), MB_OK | MB_ICONERROR);
    return false;
}

bool CheckDatabaseWritable(CDao_Table& table)
{
    if (!CheckDatabase(table))
        return false;
    if (table.IsDatabaseWritable())
        return true;
    AfxMessageBox(table.ReadOnlyMessage(), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void VerifyPhotoDatabase(CDao_Table& table)
{
    if (!CheckDatabase(table))
        return;
    if (table.m_pCDaoDatabase->IsServer()) {
        // Saying "no damage" would claim a check that was not made.
        AfxMessageBox(
            DatabaseMessages::tr("The photo database \"%1\" is on a PostgreSQL server, which "
                                 "keeps its files whole itself; there is no "
                                 "file here to check. Nothing was changed.")
                .arg(table.m_pCDaoDatabase->GetName()));
        return;
    }
    const QString strFile = table.m_TableInfo.m_strDatabaseFile;
    QStringList arProblems;
    try {
        arProblems = table.VerifyDatabase();
    } catch (const CDaoException& e) {
        AfxMessageBox(DatabaseMessages::tr("\"%1\" could not be checked: %2\nNothing was changed.")
                          .arg(strFile, e.GetErrorDescription()),
                      MB_OK | MB_ICONERROR);
        return;
    }
    if (arProblems.isEmpty()) {
        AfxMessageBox(
            DatabaseMessages::tr("\"%1\" was checked and no damage was found. Nothing was changed.")
                .arg(strFile));
        return;
    }
    // The first few say what is wrong; a damaged file may list thousands.
    constexpr int kShown = 10;
    QString strText = DatabaseMessages::tr("\"%1\" is damaged. The check found:\n").arg(strFile) +
                      arProblems.mid(0, kShown).join(QLatin1Char('\n'));
    if (arProblems.size() > kShown)
        strText += DatabaseMessages::tr("\n... and %1 more.").arg(arProblems.size() - kShown);
    strText += DatabaseMessages::tr("\nNothing was repaired: keep a copy of the file before "
                                    "anything changes it.");
    AfxMessageBox(strText, MB_OK | MB_ICONERROR);
}
