#include "db/CDao_Table.h"

#include "db/DatabaseFile.h"
#include "db/DatabaseLog.h"

#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CDaoTableDef.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString CreationFailure(const QString& strFile, const QString& strNew, QString strDescription)
{
    // The name being built is no concern of the user's.
    if (!strNew.isEmpty())
        strDescription.replace(strNew, strFile);
    //: The start of the engine's "Can not create database "%1": %2.", worded alike.
    const QString strPrefix = CDao_Table::tr("Can not create database \"%1\"").arg(strFile);
    if (strDescription.startsWith(strPrefix))
        return strDescription;
    return strPrefix + QStringLiteral(": ") + strDescription;
}

QString TypeName(int nType)
{
    switch (nType) {
    case dbLong:
        return CDao_Table::tr("whole numbers");
    case dbDate:
        return CDao_Table::tr("dates");
    case dbText:
        return CDao_Table::tr("text");
    default:
        return CDao_Table::tr("values of type %1").arg(nType);
    }
}

QString QuotedList(const QStringList& arNames)
{
    QStringList arQuoted;
    for (const QString& strName : arNames)
        //: A field's name in a list of names, quoted as the other messages quote.
        arQuoted.append(CDao_Table::tr("\"%1\"").arg(strName));
    if (arQuoted.size() < 2)
        return arQuoted.join(QString());
    const QString strLast = arQuoted.takeLast();
    return arQuoted.join(QStringLiteral(", ")) + CDao_Table::tr(" and ") + strLast;
}

// Whether the system refuses this user writing there; root is refused only
// by a read-only medium.
bool WriteRefused(const QString& strPath)
{
    return faccessat(AT_FDCWD, QFile::encodeName(strPath).constData(), W_OK, AT_EACCESS) != 0 &&
           (errno == EACCES || errno == EROFS || errno == EPERM);
}

} // namespace

CDao_Table::CDao_Table()
    : m_TableInfo(PhotoTableInfo())
    , m_pCDaoDatabase(std::make_unique<CDaoDatabase>())
    , m_pCDaoTableDef(std::make_unique<CDaoTableDef>(m_pCDaoDatabase.get()))
{
}

// The table definition goes before the database it belongs to.
CDao_Table::~CDao_Table() = default;

bool CDao_Table::Connect()
{
    if (IsDatabaseOpen())
        return true;
    m_strProblem.clear();
    m_strReadOnly.clear();
    const QString strFile = m_TableInfo.m_strDatabaseFile;
    RemoveCreationLeftovers(strFile);
    struct stat status;
    const bool bFound = lstat(QFile::encodeName(strFile).constData(), &status) == 0;
    const int nError = errno;
    if (bFound && !IsEmptyFile(strFile)) {
        // A file that is there may be the user's only copy of the records
        // (or a file of another program): it is never replaced.
        OpenExisting(strFile);
    } else if (!bFound && nError != ENOENT) {
        m_strProblem = tr("Can not look for \"%1\" in folder \"%2\": %3.")
                           .arg(strFile, QDir::currentPath(), FileErrorText(nError));
    } else {
        try {
            CreateTable();
        } catch (const CDaoException& e) {
            m_strProblem = CreationFailure(strFile, QString(), e.GetErrorDescription());
        } catch (const std::exception& e) {
            m_strProblem = CreationFailure(strFile, QString(), QString::fromUtf8(e.what()));
        }
    }
    if (IsDatabaseOpen())
        qCDebug(lcDatabase).noquote() << "photo database open:" << m_strPath
                                      << (m_strReadOnly.isEmpty() ? "(writable)" : "(read-only)");
    else
        qCDebug(lcDatabase) << "no photo database:" << m_strProblem;
    return IsDatabaseOpen();
}

bool CDao_Table::OpenExisting(const QString& strFile)
{
    try {
        m_pCDaoDatabase->Open(strFile, false, false, QString());
    } catch (const CDaoException&) {
        m_strProblem = m_pCDaoDatabase->GetOpenFailure();
        // SQLite names every refusal of the system alike; the user needs to
        // know that it is a matter of rights.
        const int nFile =
            open(QFile::encodeName(strFile).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (nFile >= 0)
            close(nFile);
        else if (errno == EACCES || errno == EPERM)
            m_strProblem = tr("\"%1\" can not be read: %2.").arg(strFile, FileErrorText(errno));
        return false;
    }
    CheckTable();
    if (!IsDatabaseOpen())
        return false;
    m_strPath = QFileInfo(strFile).absoluteFilePath();
    CheckWritable();
    return true;
}

QString CDao_Table::Place() const
{
    return m_server ? m_server->Label() : m_TableInfo.m_strDatabaseFile;
}

void CDao_Table::CheckTable()
{
    // Only what the program uses is asked for: other tables and fields may be.
    const QString strFile = Place();
    const QString strTable = m_TableInfo.m_strTableName;
    QString strProblem;
    try {
        const CDaoDatabase::ObjectKind kind = m_pCDaoDatabase->GetObjectKind(strTable);
        if (kind == CDaoDatabase::NoObject) {
            strProblem = tr("\"%1\" has no table \"%2\".").arg(strFile, strTable);
        } else if (kind == CDaoDatabase::ViewObject) {
            strProblem = tr("\"%1\" in \"%2\" is a view, not a table.").arg(strTable, strFile);
        } else {
            CDaoTableDef tableDef(m_pCDaoDatabase.get());
            tableDef.Open(strTable);
            QHash<QString, int> mapTypes;
            for (int i = 0; i < tableDef.GetFieldCount(); ++i) {
                CDaoFieldInfo field;
                tableDef.GetFieldInfo(i, field);
                mapTypes.insert(field.m_strName.toLower(), field.m_nType);
            }
            QStringList arMissing;
            QStringList arWrong;
            for (int i = 0; i < m_TableInfo.m_nFields; ++i) {
                const QString strName = CheckedAt(m_TableInfo.m_arNames, i);
                const int nType = CheckedAt(m_TableInfo.m_arTypes, i);
                const auto it = mapTypes.constFind(strName.toLower());
                if (it == mapTypes.cend())
                    arMissing.append(strName);
                else if (*it != nType)
                    arWrong.append(tr("its field \"%1\" holds %2, not %3")
                                       .arg(strName, TypeName(*it), TypeName(nType)));
            }
            if (!arMissing.isEmpty())
                arWrong.prepend(
                    (arMissing.size() == 1 ? tr("lacks the field ") : tr("lacks the fields ")) +
                    QuotedList(arMissing));
            if (!arWrong.isEmpty())
                strProblem = tr("Table \"%1\" in \"%2\" %3.")
                                 .arg(strTable, strFile, arWrong.join(QStringLiteral("; ")));
        }
    } catch (const CDaoException& e) {
        strProblem = e.GetErrorDescription();
    }
    if (!strProblem.isEmpty()) {
        m_strProblem = strProblem;
        m_pCDaoDatabase->Close();
    }
}

void CDao_Table::CheckWritable()
{
    const QString strFile = m_TableInfo.m_strDatabaseFile;
    if (m_pCDaoDatabase->IsReadOnly())
        m_strReadOnly = tr("\"%1\" is read-only.").arg(strFile);
    // Writing needs a journal beside the file.
    else if (WriteRefused(QFileInfo(strFile).absolutePath()))
        m_strReadOnly = tr("the folder of \"%1\" is read-only.").arg(strFile);
}

void CDao_Table::Recheck()
{
    if (m_server)
        RecheckServer();
    else
        RecheckFile();
}

void CDao_Table::RecheckFile()
{
    if (!IsDatabaseOpen())
        return;
    const QString& strPath = m_strPath;
    const QString strFile = m_TableInfo.m_strDatabaseFile;
    struct stat status;
    if (lstat(QFile::encodeName(strPath).constData(), &status) != 0 && errno == ENOENT) {
        // The engine would go on reading the deleted file, and call it read-only.
        m_strProblem = tr("\"%1\" no longer exists.").arg(strFile);
        m_pCDaoDatabase->Close();
    } else if (!m_strReadOnly.isEmpty()) {
        // Said at the start already.
    } else if (WriteRefused(strPath)) {
        // The engine would still write through the file it holds open.
        m_strReadOnly = tr("\"%1\" has become read-only.").arg(strFile);
    } else if (WriteRefused(QFileInfo(strPath).absolutePath())) {
        m_strReadOnly = tr("the folder of \"%1\" has become read-only.").arg(strFile);
    }
}

void CDao_Table::RequireWritable()
{
    Recheck();
    if (!IsDatabaseOpen())
        throw CDaoException(UnavailableMessage());
    if (!IsDatabaseWritable())
        throw CDaoException(ReadOnlyMessage());
}

void CDao_Table::RethrowWriteFailure()
{
    // What happened to the file says more than the engine's "readonly database".
    RequireWritable();
    throw;
}

void CDao_Table::CreateTable()
{
    // Made under a name of its own and moved into place whole: a kill or a
    // full disk half-way leaves no broken database under the real name.
    const QString strFile = m_TableInfo.m_strDatabaseFile;
    const QString strNew = HiddenSideName(strFile, "new");
    try {
        m_pCDaoDatabase->Create(strNew, QLatin1String(dbLangGeneral), 0);
    } catch (const CDaoException&) {
        m_strProblem = CreationFailure(strFile, strNew, m_pCDaoDatabase->GetOpenFailure());
        return;
    }
    try {
        BuildTable();
    } catch (...) {
        m_pCDaoDatabase->Close();
        RemoveDatabaseFiles(strNew);
        throw;
    }
    m_pCDaoDatabase->Close();
    int nError = MoveNoReplace(strNew, strFile);
    if (nError == EEXIST && RemoveEmptyFile(strFile))
        nError = MoveNoReplace(strNew, strFile);
    if (nError == 0) {
        SyncFolder(strFile);
    } else {
        RemoveDatabaseFiles(strNew);
        // A file that appeared meanwhile is another start's: it is used.
        if (nError != EEXIST) {
            m_strProblem = CreationFailure(strFile, strNew, FileErrorText(nError) + u'.');
            return;
        }
    }
    OpenExisting(strFile);
}

void CDao_Table::BuildTable()
{
    m_pCDaoTableDef->Create(m_TableInfo.m_strTableName, 0, QString(), QString());
    for (int i = 0; i < m_TableInfo.m_nFields; ++i)
        m_pCDaoTableDef->CreateField(
            CheckedAt(m_TableInfo.m_arNames, i), CheckedAt(m_TableInfo.m_arTypes, i),
            CheckedAt(m_TableInfo.m_arSizes, i), CheckedAt(m_TableInfo.m_arAttributes, i));
    CDaoIndexInfo indexInfo;
    indexInfo.m_strName = QStringLiteral("PrimaryKey");
    indexInfo.m_arFields.append({PhotoFieldName(EPhotoField::ID_Photo), false});
    indexInfo.m_bPrimary = true;
    indexInfo.m_bUnique = true;
    indexInfo.m_bRequired = true;
    indexInfo.m_bIgnoreNulls = false;
    m_pCDaoTableDef->CreateIndex(indexInfo);
    m_pCDaoTableDef->Append();
}

bool CDao_Table::IsDatabaseOpen() const
{
    return m_pCDaoDatabase->IsOpen();
}

bool CDao_Table::IsDatabaseWritable() const
{
    return IsDatabaseOpen() && m_strReadOnly.isEmpty();
}

QString CDao_Table::UnavailableMessage() const
{
    QString strReason = m_strProblem;
    if (strReason.isEmpty())
        strReason = m_pCDaoDatabase->GetOpenFailure();
    if (strReason.isEmpty())
        strReason = tr("Database file \"%1\" is not open.").arg(m_TableInfo.m_strDatabaseFile);
    return tr("The photo database is not available: ") + strReason;
}

QString CDao_Table::ReadOnlyMessage() const
{
    const QString strReason = m_strReadOnly.isEmpty()
                                  ? tr("\"%1\" is read-only.").arg(m_TableInfo.m_strDatabaseFile)
                                  : m_strReadOnly;
    return tr("The photo database can not be changed: ") + strReason;
}
