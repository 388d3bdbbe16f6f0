#include "db/DatabaseMessages.h"

#include "db/CDao_Table.h"
#include "platform/framework/MessageBox.h"

bool ConnectPhotoDatabase(CDao_Table& table)
{
    if (!table.Connect()) {
        AfxMessageBox(table.UnavailableMessage() +
                          QStringLiteral("\nPictures can still be browsed."),
                      MB_OK | MB_ICONERROR);
        return false;
    }
    if (!table.IsDatabaseWritable())
        AfxMessageBox(table.ReadOnlyMessage() +
                          QStringLiteral("\nIts records can still be browsed and found."),
                      MB_OK | MB_ICONEXCLAMATION);
    return true;
}

bool CheckDatabase(CDao_Table& table)
{
    // The file may have gone since the start.
    table.RecheckFile();
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
