#pragma once

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

class CDaoDatabase;

// The engine's published codes for field types and attributes.
enum DaoFieldType : int { dbLong = 4, dbDate = 8, dbText = 10 };
enum DaoFieldAttribute : int { dbAutoIncrField = 16 };

struct CDaoFieldInfo
{
    QString m_strName;
    int m_nType = 0;
    long m_lSize = 0; // characters for dbText (0: no limit), the engine's width otherwise
    long m_lAttributes = 0;
};

struct CDaoIndexFieldInfo
{
    QString m_strName;
    bool m_bDescending = false;
};

struct CDaoIndexInfo
{
    QString m_strName;
    QList<CDaoIndexFieldInfo> m_arFields;
    bool m_bPrimary = false;
    bool m_bUnique = false;
    bool m_bRequired = false;
    bool m_bIgnoreNulls = false;
};

// A table's definition: either a new one being built (Create, CreateField,
// CreateIndex, then Append writes it to the database) or an existing one read
// back by Open.
class CDaoTableDef
{
public:
    explicit CDaoTableDef(CDaoDatabase* pDatabase);

    void Create(const QString& strName, long lAttributes = 0,
                const QString& strSrcTable = QString(), const QString& strConnect = QString());
    void Open(const QString& strName);
    void Close();
    bool IsOpen() const { return m_bOpen; }
    QString GetName() const { return m_strName; }
    // The column that tells an opened table's records apart: its INTEGER
    // PRIMARY KEY, else SQLite's row id under a name no column takes; empty
    // when the table has neither.
    QString GetRecordKey() const { return m_strRecordKey; }

    void CreateField(const QString& strName, int nType, long lSize, long lAttributes = 0);
    void CreateIndex(const CDaoIndexInfo& indexInfo);
    void Append();

    int GetFieldCount() const { return int(m_arFields.size()); }
    // An index outside the fields raises CDaoException.
    void GetFieldInfo(int nIndex, CDaoFieldInfo& fieldInfo) const;
    int GetIndexCount() const { return int(m_arIndexes.size()); }
    void GetIndexInfo(int nIndex, CDaoIndexInfo& indexInfo) const;

private:
    void RequireNew(const char* pszWhat) const;
    int FindField(const QString& strName) const;
    int RowidField(const CDaoIndexInfo* pPrimary) const;
    void OpenServerTable(QSqlQuery& query, const QString& strName);
    QStringList CreateStatements() const;

    CDaoDatabase* m_pDatabase;
    QString m_strName;
    QString m_strRecordKey;
    QList<CDaoFieldInfo> m_arFields;
    QList<CDaoIndexInfo> m_arIndexes;
    bool m_bOpen = false;
    bool m_bNew = false;
};
