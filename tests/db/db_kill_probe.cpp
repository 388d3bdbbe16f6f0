// Runs one database step in the folder given, to be killed half-way by
// test_killsafety: "remove" deletes every record, "locate" points every
// record into folder /new, "import" imports the files of the folder's
// "pictures" folder. Prints "go" just before the step and "done" after it.
#include "db/CDao_Table.h"
#include "db/CPictureImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3 || chdir(argv[1]) != 0)
        return 2;
    QCoreApplication app(argc, argv);
    CDao_Table table;
    if (!table.Connect())
        return 3;
    const QByteArray step(argv[2]);
    QList<qint64> arKeys;
    QList<QPair<qint64, QString>> arMoves;
    for (const SFileRecord& record : table.ReadFileRecords()) {
        arKeys.append(record.m_nKey);
        arMoves.append({record.m_nKey, QStringLiteral("/new")});
    }
    const QDir pictures(QDir::current().filePath(QStringLiteral("pictures")));
    QStringList arPictures;
    for (const QString& strName : pictures.entryList(QDir::Files))
        arPictures.append(pictures.filePath(strName));
    QTextStream out(stdout);
    out << "go" << Qt::endl;
    if (step == "remove") {
        table.DeleteRecords(arKeys);
    } else if (step == "locate") {
        table.RelocateRecords(arMoves);
    } else if (step == "import") {
        CPictureImport import(&table);
        if (!import.Import(pictures.path(), arPictures))
            return 4;
    } else {
        return 2;
    }
    out << "done" << Qt::endl;
    return 0;
}
