#include "db/CDao_Table.h"

#include "db/DatabaseFile.h"

#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/CDaoTableDef.h"
#include "platform/framework/MessageBox.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString CreationFailure(const QString& strFile, const QString& strNew, QString strDescription)
{
    // The name being built is no concern of the user's.
    if (!strNew.isEmpty())
        strDescription.replace(u'"' + strNew + u'"', u'"' + strFile + u'"');
    const QString strPrefix = QStringLiteral("Can not create database \"%1\"").arg(strFile);
    if (strDescription.startsWith(strPrefix))
        return strDescription;
    return strPrefix + QStringLiteral(": ") + strDescription;
}

QString TypeName(int nType)
{
    switch (nType) {
    case dbLong:
        return QStringLiteral("whole numbers");
    case dbDate:
        return QStringLiteral("dates");
    case dbText:
        return QStringLiteral("text");
    default:
        return QStringLiteral("values of type %1").arg(nType);
    }
}

QString QuotedList(const QStringList& arNames)
{
    QStringList arQuoted;
    for (const QString& strName : arNames)
        arQuoted.append(u'"' + strName + u'"');
    if (arQuoted.size() < 2)
        return arQuoted.join(QString());
    const QString strLast = arQuoted.takeLast();
    return arQuoted.join(QStringLiteral(", ")) + QStringLiteral(" and ") + strLast;
}

} // namespace

CDao_Table::CDao_Table()
    : m_pCDaoDatabase(nullptr)
    , m_pCDaoTableDef(nullptr)
{
    m_pCDaoDatabase = new (std::nothrow) CDaoDatabase;
    if (!m_pCDaoDatabase) {
        AfxMessageBox(QStringLiteral("ERROR: Can not create m_pCDaoDatabase."),
                      MB_OK | MB_ICONERROR);
    } else {
        m_pCDaoTableDef = new (std::nothrow) CDaoTableDef(m_pCDaoDatabase);
        if (!m_pCDaoTableDef)
            AfxMessageBox(QStringLiteral("ERROR: Can not create m_pCDaoTableDef."),
                          MB_OK | MB_ICONERROR);
    }
    m_TableInfo = PhotoTableInfo();
}

CDao_Table::~CDao_Table()
{
    // The table definition goes before the database it belongs to.
    if (m_pCDaoTableDef) {
        if (m_pCDaoTableDef->IsOpen())
            m_pCDaoTableDef->Close();
        delete m_pCDaoTableDef;
    }
    if (m_pCDaoDatabase) {
        if (m_pCDaoDatabase->IsOpen())
            m_pCDaoDatabase->Close();
        delete m_pCDaoDatabase;
    }
}

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
    if (!m_pCDaoDatabase) {
        // Nothing to open with; UnavailableMessage() says so.
    } else if (bFound && !IsEmptyFile(strFile)) {
        // A file that is there may be the user's only copy of the records
        // (or a file of another program): it is never replaced.
        OpenExisting(strFile);
    } else if (!bFound && nError != ENOENT) {
        m_strProblem = QStringLiteral("Can not look for \"%1\" in folder \"%2\": %3.")
                           .arg(strFile, QDir::currentPath(), FileErrorText(nError));
    } else {
        try {
            CreateTable(m_TableInfo);
        } catch (const CDaoException& e) {
            m_strProblem = CreationFailure(strFile, QString(), e.GetErrorDescription());
        } catch (const std::exception& e) {
            m_strProblem = CreationFailure(strFile, QString(), QString::fromUtf8(e.what()));
        }
    }
    if (!IsDatabaseOpen()) {
        AfxMessageBox(UnavailableMessage() + QStringLiteral("\nPictures can still be browsed."),
                      MB_OK | MB_ICONERROR);
        return false;
    }
    if (!m_strReadOnly.isEmpty())
        AfxMessageBox(ReadOnlyMessage() +
                          QStringLiteral("\nIts records can still be browsed and found."),
                      MB_OK | MB_ICONEXCLAMATION);
    return true;
}

bool CDao_Table::OpenExisting(const QString& strFile)
{
    if (!OpenDatabase(strFile, false, false)) {
        m_strProblem = m_pCDaoDatabase->GetOpenFailure();
        // SQLite names every refusal of the system alike; the user needs to
        // know that it is a matter of rights.
        const int nFile =
            open(QFile::encodeName(strFile).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (nFile >= 0)
            close(nFile);
        else if (errno == EACCES || errno == EPERM)
            m_strProblem =
                QStringLiteral("\"%1\" can not be read: %2.").arg(strFile, FileErrorText(errno));
        return false;
    }
    CheckTable();
    if (!IsDatabaseOpen())
        return false;
    CheckWritable();
    return true;
}

void CDao_Table::CheckTable()
{
    // Only what the program uses is asked for: other tables and fields may be.
    const QString strFile = m_TableInfo.m_strDatabaseFile;
    const QString strTable = m_TableInfo.m_strTableName;
    QString strProblem;
    try {
        const CDaoDatabase::ObjectKind kind = m_pCDaoDatabase->GetObjectKind(strTable);
        if (kind == CDaoDatabase::NoObject) {
            strProblem = QStringLiteral("\"%1\" has no table \"%2\".").arg(strFile, strTable);
        } else if (kind == CDaoDatabase::ViewObject) {
            strProblem =
                QStringLiteral("\"%1\" in \"%2\" is a view, not a table.").arg(strTable, strFile);
        } else {
            CDaoTableDef tableDef(m_pCDaoDatabase);
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
                    arWrong.append(QStringLiteral("its field \"%1\" holds %2, not %3")
                                       .arg(strName, TypeName(*it), TypeName(nType)));
            }
            if (!arMissing.isEmpty())
                arWrong.prepend((arMissing.size() == 1 ? QStringLiteral("lacks the field ")
                                                       : QStringLiteral("lacks the fields ")) +
                                QuotedList(arMissing));
            if (!arWrong.isEmpty())
                strProblem = QStringLiteral("Table \"%1\" in \"%2\" %3.")
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
    if (m_pCDaoDatabase->IsReadOnly()) {
        m_strReadOnly = QStringLiteral("\"%1\" is read-only.").arg(strFile);
        return;
    }
    // Writing needs a journal beside the file.
    const QByteArray folder = QFile::encodeName(QFileInfo(strFile).absolutePath());
    if (faccessat(AT_FDCWD, folder.constData(), W_OK, AT_EACCESS) != 0 &&
        (errno == EACCES || errno == EROFS || errno == EPERM))
        m_strReadOnly = QStringLiteral("the folder of \"%1\" is read-only.").arg(strFile);
}

bool CDao_Table::OpenDatabase(QString strFileName, bool bCreate, bool bReportFailure)
{
    if (!m_pCDaoDatabase)
        return false;
    if (m_pCDaoDatabase->IsOpen())
        m_pCDaoDatabase->Close();
    try {
        if (bCreate)
            m_pCDaoDatabase->Create(strFileName, QLatin1String(dbLangGeneral), 0);
        else
            m_pCDaoDatabase->Open(strFileName, false, false, QString());
    } catch (const CDaoException& e) {
        if (bReportFailure) {
            AfxMessageBox(e.GetErrorDescription(), MB_OK | MB_ICONERROR);
            m_strSQL = QStringLiteral("Database file \"%1\" not found.").arg(strFileName);
            AfxMessageBox(m_strSQL, MB_OK | MB_ICONERROR);
        }
        return false;
    }
    return true;
}

bool CDao_Table::OpenTableDef(QString strTableName, bool bCreate)
{
    if (!m_pCDaoTableDef)
        return false;
    if (m_pCDaoTableDef->IsOpen())
        m_pCDaoTableDef->Close();
    try {
        if (bCreate)
            m_pCDaoTableDef->Create(strTableName, 0, QString(), QString());
        else
            m_pCDaoTableDef->Open(strTableName);
    } catch (const CDaoException& e) {
        AfxMessageBox(e.GetErrorDescription(), MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

bool CDao_Table::AppendField(QString strName, int nType, int nSize, int nAttributes)
{
    if (!m_pCDaoTableDef)
        return false;
    try {
        m_pCDaoTableDef->CreateField(strName, nType, nSize, nAttributes);
    } catch (const CDaoException& e) {
        AfxMessageBox(e.GetErrorDescription(), MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

bool CDao_Table::CreateTable(CDao_TableInfo& tableInfo)
{
    // Made under a name of its own and moved into place whole: a kill or a
    // full disk half-way leaves no broken database under the real name.
    const QString strFile = tableInfo.m_strDatabaseFile;
    const QString strNew = HiddenSideName(strFile, "new");
    if (!OpenDatabase(strNew, true, false)) {
        if (m_pCDaoDatabase)
            m_strProblem = CreationFailure(strFile, strNew, m_pCDaoDatabase->GetOpenFailure());
        return false;
    }
    bool bBuilt = false;
    try {
        bBuilt = OpenTableDef(tableInfo.m_strTableName, true);
        for (int i = 0; bBuilt && i < tableInfo.m_nFields; ++i)
            bBuilt = AppendField(
                CheckedAt(tableInfo.m_arNames, i), CheckedAt(tableInfo.m_arTypes, i),
                CheckedAt(tableInfo.m_arSizes, i), CheckedAt(tableInfo.m_arAttributes, i));
        if (bBuilt) {
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
    } catch (...) {
        m_pCDaoDatabase->Close();
        RemoveDatabaseFiles(strNew);
        throw;
    }
    m_pCDaoDatabase->Close();
    if (!bBuilt) {
        RemoveDatabaseFiles(strNew);
        m_strProblem = CreationFailure(strFile, strNew, QStringLiteral("the table was not made."));
        return false;
    }
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
            return false;
        }
    }
    return OpenExisting(strFile);
}

bool CDao_Table::IsDatabaseOpen() const
{
    return m_pCDaoDatabase && m_pCDaoDatabase->IsOpen();
}

bool CDao_Table::IsDatabaseWritable() const
{
    return IsDatabaseOpen() && m_strReadOnly.isEmpty();
}

bool CDao_Table::CheckDatabase()
{
    if (IsDatabaseOpen())
        return true;
    AfxMessageBox(UnavailableMessage(), MB_OK | MB_ICONERROR);
    return false;
}

bool CDao_Table::CheckDatabaseWritable()
{
    if (!CheckDatabase())
        return false;
    if (IsDatabaseWritable())
        return true;
    AfxMessageBox(ReadOnlyMessage(), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

QString CDao_Table::UnavailableMessage() const
{
    QString strReason = m_strProblem;
    if (strReason.isEmpty() && !m_pCDaoDatabase)
        strReason = QStringLiteral("ERROR: Can not create m_pCDaoDatabase.");
    else if (strReason.isEmpty())
        strReason = m_pCDaoDatabase->GetOpenFailure();
    if (strReason.isEmpty())
        strReason =
            QStringLiteral("Database file \"%1\" is not open.").arg(m_TableInfo.m_strDatabaseFile);
    return QStringLiteral("The photo database is not available: ") + strReason;
}

QString CDao_Table::ReadOnlyMessage() const
{
    const QString strReason =
        m_strReadOnly.isEmpty()
            ? QStringLiteral("\"%1\" is read-only.").arg(m_TableInfo.m_strDatabaseFile)
            : m_strReadOnly;
    return QStringLiteral("The photo database can not be changed: ") + strReason;
}

int CDao_Table::CountRecords(QString strTableName)
{
    CDaoRecordset recordset(m_pCDaoDatabase);
    m_strSQL = QStringLiteral("SELECT * FROM %1").arg(strTableName);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, m_strSQL, 0);
    // Only an empty table has no last record; any other failure is news.
    if (recordset.IsBOF() && recordset.IsEOF())
        return 0;
    recordset.MoveLast();
    const int nCount = int(recordset.GetRecordCount());
    recordset.Close();
    return nCount;
}

void CDao_Table::FillDistinct(QComboBox* pComboBox, QString strColumn)
{
    CDaoRecordset recordset(m_pCDaoDatabase);
    m_strSQL = QStringLiteral("SELECT %1 FROM %2 ").arg(strColumn, m_TableInfo.m_strTableName);
    m_strSQL += QStringLiteral("GROUP BY %1 ORDER BY %1").arg(strColumn);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, m_strSQL, 0);
    if (recordset.IsBOF() || recordset.IsEOF())
        return;
    while (!recordset.IsEOF()) {
        const QString strValue = recordset.GetFieldValue(strColumn).toString();
        if (!strValue.isEmpty())
            pComboBox->addItem(strValue);
        recordset.MoveNext();
    }
    recordset.Close();
    pComboBox->setCurrentIndex(0);
}

bool CDao_Table::SaveRecord(qint64 nID, QString strTheme, QString strComment)
{
    if (!CheckDatabaseWritable())
        return false;
    // Refused whole rather than cut, so the user decides what to drop.
    const QList<QPair<EPhotoField, QString>> arTexts = {{EPhotoField::Theme, strTheme},
                                                        {EPhotoField::Comment, strComment}};
    for (const auto& text : arTexts) {
        const qsizetype nLimit = CheckedAt(m_TableInfo.m_arSizes, text.first);
        const qsizetype nLength = text.second.toUcs4().size();
        if (nLength > nLimit) {
            AfxMessageBox(
                QStringLiteral("The %1 is %2 characters long, but at most %3 can be stored. "
                               "Please shorten it.")
                    .arg(PhotoFieldName(text.first))
                    .arg(nLength)
                    .arg(nLimit),
                MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    }
    try {
        CDaoRecordset recordset(m_pCDaoDatabase);
        m_strSQL = QStringLiteral("%1=%2").arg(PhotoFieldName(EPhotoField::ID_Photo)).arg(nID);
        recordset.m_strFilter = m_strSQL;
        m_strSQL = QStringLiteral("SELECT * FROM %1").arg(m_TableInfo.m_strTableName);
        recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, m_strSQL, 0);
        if (recordset.IsEOF()) {
            AfxMessageBox(
                QStringLiteral("The record can not be saved: it is no longer in the table."),
                MB_OK | MB_ICONERROR);
            return false;
        }
        recordset.Edit();
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Theme), strTheme);
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Comment), strComment);
        recordset.Update();
    } catch (const CDaoException& e) {
        AfxMessageBox(e.GetErrorDescription(), MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}
