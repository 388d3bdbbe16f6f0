// Starts the database object in the folder given, as the user "nobody" when
// run by root, and prints each message shown and Connect's result.
#include "db/CDao_Table.h"
#include "platform/framework/MessageBox.h"

#include <QCoreApplication>
#include <QTextStream>

#include <grp.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    constexpr uid_t nNobody = 65534;
    if (geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(nNobody) != 0 || setuid(nNobody) != 0))
        return 3;
    if (chdir(argv[1]) != 0)
        return 4;
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    SetMessageBoxHook([&out](const QString& strText, const QString&, int) {
        out << "message " << QString(strText).replace(u'\n', u' ') << '\n';
        return int(IDOK);
    });
    bool bResult = false;
    {
        CDao_Table table;
        bResult = table.Connect();
    }
    out << "result " << int(bResult) << '\n';
    return 0;
}
