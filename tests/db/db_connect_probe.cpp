// Starts the database object in the folder given, as the user "nobody" when
// run by root, and prints each message shown and whether the records can be
// used. Then runs the commands given: "rm" deletes Photos.mdb and "chmod"
// makes it read-only, as another program could while this one runs; "save"
// stores a theme in record 1, "delete" deletes record 1 and "import" imports
// an empty folder list, each printing its result.
#include "db/CDao_Table.h"
#include "db/CPictureImport.h"
#include "db/DatabaseMessages.h"
#include "platform/database/CDaoException.h"
#include "platform/framework/MessageBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <functional>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A write as a window makes it: checked first, then any refusal shown.
bool Write(QTextStream& out, CDao_Table& table, const std::function<void()>& write)
{
    if (!CheckDatabaseWritable(table))
        return false;
    try {
        write();
        return true;
    } catch (const CDaoException& e) {
        out << "message " << e.GetErrorDescription() << '\n';
        return false;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    // Into the folder first: a folder nobody may enter is still a start-up
    // folder when its rights change after the program started.
    if (chdir(argv[1]) != 0)
        return 4;
    constexpr uid_t nNobody = 65534;
    if (geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(nNobody) != 0 || setuid(nNobody) != 0))
        return 3;
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    SetMessageBoxHook([&out](const QString& strText, const QString&, int) {
        out << "message " << QString(strText).replace(u'\n', u' ') << '\n';
        return int(IDOK);
    });
    bool bResult = false;
    {
        CDao_Table table;
        bResult = ConnectPhotoDatabase(table);
        for (int i = 2; i < argc; ++i) {
            const QByteArray command(argv[i]);
            if (command == "save") {
                const bool bSaved = Write(out, table, [&] {
                    table.SaveEditedTexts(1, {}, {"t", QString()});
                });
                out << "save " << int(bSaved) << '\n';
            } else if (command == "delete") {
                const bool bDeleted = Write(out, table, [&] { table.DeleteRecords({1}); });
                out << "delete " << int(bDeleted) << '\n';
            } else if (command == "import") {
                CPictureImport import(&table);
                const bool bImported = import.Import(QString::fromLocal8Bit(argv[1]), {});
                out << "import " << int(bImported) << ' ' << import.m_strError << '\n';
            } else if (command == "rm") {
                QFile::remove(QStringLiteral("Photos.mdb"));
            } else if (command == "chmod") {
                chmod("Photos.mdb", 0444);
            }
        }
    }
    out << "result " << int(bResult) << '\n';
    return 0;
}
