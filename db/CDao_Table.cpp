#include "db/CDao_Table.h"

#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/CDaoTableDef.h"
#include "platform/framework/MessageBox.h"

#include <QComboBox>
#include <QFileInfo>

#include <new>

namespace {

struct CFieldDescription
{
    const char* pszName;
    qint32 nType;
    qint32 nSize;
    qint32 nFormat;
    qint32 nAttributes;
};

// The photo record, in field order: this order is the record table's column order.
constexpr CFieldDescription g_arPhotoFields[] = {
    {"ID_Photo", dbLong, 4, 0, dbAutoIncrField},
    {"Date", dbDate, 60, 2, 0},
    {"Name", dbText, 150, 0, 0},
    {g_szExtentionField, dbText, 60, 2, 0},
    {"Size", dbText, 60, 1, 0},
    {"Directory", dbText, 250, 0, 0},
    {"Theme", dbText, 150, 0, 0},
    {"Comment", dbText, 150, 0, 0},
};

} // namespace

CDao_Table::CDao_Table()
    : m_pCDaoDatabase(nullptr)
    , m_pCDaoTableDef(nullptr)
{
    m_pCDaoDatabase = new (std::nothrow) CDaoDatabase;
    if (!m_pCDaoDatabase) {
        AfxMessageBox(QStringLiteral("ERROR: Can not create m_pCDaoDatabase."));
    } else {
        m_pCDaoTableDef = new (std::nothrow) CDaoTableDef(m_pCDaoDatabase);
        if (!m_pCDaoTableDef)
            AfxMessageBox(QStringLiteral("ERROR: Can not create m_pCDaoTableDef."));
    }
    m_TableInfo.m_strDatabaseFile = QStringLiteral("Photos.mdb");
    m_TableInfo.m_strTableName = QStringLiteral("PHOTOS");
    m_TableInfo.m_nKeyField = 0;
    m_TableInfo.m_nTitleField = 2;
    m_TableInfo.m_nOrderField1 = 0;
    m_TableInfo.m_nOrderField2 = 1;
    for (const CFieldDescription& field : g_arPhotoFields) {
        m_TableInfo.m_arNames.append(QLatin1String(field.pszName));
        m_TableInfo.m_arTypes.append(field.nType);
        m_TableInfo.m_arSizes.append(field.nSize);
        m_TableInfo.m_arFormats.append(field.nFormat);
        m_TableInfo.m_arAttributes.append(field.nAttributes);
    }
    m_TableInfo.m_nFields = int(m_TableInfo.m_arNames.size());
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
    bool bResult = OpenDatabase(m_TableInfo.m_strDatabaseFile, false, false);
    // A file that exists but does not open may be the user's only copy of
    // the records (or a file of another program): it is never replaced.
    const QFileInfo info(m_TableInfo.m_strDatabaseFile);
    if (!bResult && !info.exists() && !info.isSymLink()) {
        try {
            bResult = CreateTable(m_TableInfo);
        } catch (const CDaoException& e) {
            AfxMessageBox(e.GetErrorDescription());
            bResult = false;
        }
    }
    if (!IsDatabaseOpen())
        AfxMessageBox(UnavailableMessage() + QStringLiteral("\nPictures can still be browsed."));
    return bResult;
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
            AfxMessageBox(e.GetErrorDescription());
            m_strSQL = QStringLiteral("Database file \"%1\" not found.").arg(strFileName);
            AfxMessageBox(m_strSQL);
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
        AfxMessageBox(e.GetErrorDescription());
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
        AfxMessageBox(e.GetErrorDescription());
        return false;
    }
    return true;
}

bool CDao_Table::CreateTable(CDao_TableInfo& tableInfo)
{
    if (!OpenDatabase(tableInfo.m_strDatabaseFile, true, false))
        return false;
    if (!OpenTableDef(tableInfo.m_strTableName, true))
        return false;
    for (int i = 0; i < tableInfo.m_nFields; ++i) {
        if (!AppendField(CheckedAt(tableInfo.m_arNames, i), CheckedAt(tableInfo.m_arTypes, i),
                         CheckedAt(tableInfo.m_arSizes, i), CheckedAt(tableInfo.m_arAttributes, i)))
            return false;
    }
    CDaoIndexInfo indexInfo;
    indexInfo.m_strName = QStringLiteral("PrimaryKey");
    indexInfo.m_arFields.append({CheckedAt(tableInfo.m_arNames, tableInfo.m_nKeyField), false});
    indexInfo.m_bPrimary = true;
    indexInfo.m_bUnique = true;
    indexInfo.m_bRequired = true;
    indexInfo.m_bIgnoreNulls = false;
    m_pCDaoTableDef->CreateIndex(indexInfo);
    m_pCDaoTableDef->Append();
    return true;
}

bool CDao_Table::IsDatabaseOpen() const
{
    return m_pCDaoDatabase && m_pCDaoDatabase->IsOpen();
}

bool CDao_Table::CheckDatabase()
{
    if (IsDatabaseOpen())
        return true;
    AfxMessageBox(UnavailableMessage());
    return false;
}

QString CDao_Table::UnavailableMessage() const
{
    QString strReason;
    if (!m_pCDaoDatabase)
        strReason = QStringLiteral("ERROR: Can not create m_pCDaoDatabase.");
    else
        strReason = m_pCDaoDatabase->GetOpenFailure();
    if (strReason.isEmpty())
        strReason =
            QStringLiteral("Database file \"%1\" is not open.").arg(m_TableInfo.m_strDatabaseFile);
    return QStringLiteral("The photo database is not available: ") + strReason;
}

int CDao_Table::CountRecords(QString strTableName)
{
    CDaoRecordset recordset(m_pCDaoDatabase);
    m_strSQL = QStringLiteral("SELECT * FROM %1").arg(strTableName);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, m_strSQL, 0);
    try {
        recordset.MoveLast();
    } catch (const CDaoException&) {
        return 0;
    }
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

bool CDao_Table::SaveRecord(int nID, QString strTheme, QString strComment)
{
    if (!CheckDatabase())
        return false;
    // Refused whole rather than cut, so the user decides what to drop.
    const QList<QPair<QString, QString>> arTexts = {{QStringLiteral("Theme"), strTheme},
                                                    {QStringLiteral("Comment"), strComment}};
    for (const auto& text : arTexts) {
        const qsizetype nLimit =
            CheckedAt(m_TableInfo.m_arSizes, m_TableInfo.m_arNames.indexOf(text.first));
        const qsizetype nLength = text.second.toUcs4().size();
        if (nLength > nLimit) {
            AfxMessageBox(
                QStringLiteral("The %1 is %2 characters long, but at most %3 can be stored. "
                               "Please shorten it.")
                    .arg(text.first)
                    .arg(nLength)
                    .arg(nLimit));
            return false;
        }
    }
    try {
        CDaoRecordset recordset(m_pCDaoDatabase);
        m_strSQL = QStringLiteral("%1=%2")
                       .arg(CheckedAt(m_TableInfo.m_arNames, m_TableInfo.m_nKeyField))
                       .arg(nID);
        recordset.m_strFilter = m_strSQL;
        m_strSQL = QStringLiteral("SELECT * FROM %1").arg(m_TableInfo.m_strTableName);
        recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, m_strSQL, 0);
        if (recordset.IsEOF()) {
            AfxMessageBox(
                QStringLiteral("The record can not be saved: it is no longer in the table."));
            return false;
        }
        recordset.Edit();
        recordset.SetFieldValue(QStringLiteral("Theme"), strTheme);
        recordset.SetFieldValue(QStringLiteral("Comment"), strComment);
        recordset.Update();
    } catch (const CDaoException& e) {
        AfxMessageBox(e.GetErrorDescription());
        return false;
    }
    return true;
}
