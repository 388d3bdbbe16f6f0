#include "db/CDao_Table.h"

#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/CDaoTableDef.h"
#include "platform/database/JetSql.h"
#include "platform/framework/MessageBox.h"

#include <QGuiApplication>
#include <QTableView>

#include <algorithm>

namespace {

// The value of a text's leading decimal integer, as the key column shows it;
// 0 when it starts with none.
qint64 LeadingInteger(const QString& strText)
{
    const QString str = strText.trimmed();
    qsizetype i = 0;
    const bool bNegative = i < str.size() && str[i] == u'-';
    if (i < str.size() && (str[i] == u'-' || str[i] == u'+'))
        ++i;
    qint64 nValue = 0;
    for (; i < str.size() && str[i] >= u'0' && str[i] <= u'9'; ++i)
        nValue = nValue * 10 + (str[i].unicode() - u'0');
    return bNegative ? -nValue : nValue;
}

class CWaitCursor
{
public:
    CWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

} // namespace

void CDao_Table::DeleteSelected(QTableView* pList, CDao_TableInfo& tableInfo, bool bDelete,
                                bool bConfirm)
{
    QAbstractItemModel* pModel = pList->model();
    QList<int> arRows;
    for (const QModelIndex& index : pList->selectionModel()->selectedRows())
        arRows.append(index.row());
    std::sort(arRows.begin(), arRows.end());
    if (arRows.isEmpty()) {
        SystemMessageBox(QStringLiteral("Please select a record(s) for delete."), QString(), MB_OK);
        return;
    }
    if (bDelete && !CheckDatabaseWritable())
        return;
    if (bConfirm) {
        const QString strQuestion =
            arRows.size() == 1
                ? QStringLiteral("Delete a record \"%1\" from Table?")
                      .arg(pModel->index(arRows.first(), PhotoColumn(EPhotoField::Name))
                               .data()
                               .toString())
                : QStringLiteral("Delete those %1 records from Table?").arg(arRows.size());
        if (AfxMessageBox(strQuestion, MB_YESNO) != IDYES)
            return;
    }
    if (!bDelete)
        return;

    const QString strKeyName = PhotoFieldName(EPhotoField::ID_Photo);
    const int nKeyType = CheckedAt(tableInfo.m_arTypes, EPhotoField::ID_Photo);
    QStringList arCriteria;
    for (int nRow : std::as_const(arRows)) {
        const QString strKey =
            pModel->index(nRow, PhotoColumn(EPhotoField::ID_Photo)).data().toString();
        if (nKeyType == dbText) {
            arCriteria.append(QStringLiteral("%1='%2'").arg(strKeyName, JetQuoteText(strKey)));
        } else if (nKeyType == dbLong) {
            arCriteria.append(QStringLiteral("%1=%2").arg(strKeyName).arg(LeadingInteger(strKey)));
        } else {
            AfxMessageBox(QStringLiteral("DataType not dbText or dbLong."));
            return;
        }
    }

    CWaitCursor wait;
    m_strSQL = QStringLiteral("SELECT * FROM %1").arg(tableInfo.m_strTableName);
    CDaoRecordset recordset(m_pCDaoDatabase);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, m_strSQL, 0);
    // All of them or, after an error, none: the list must keep showing
    // exactly what the table holds.
    m_pCDaoDatabase->BeginTrans();
    try {
        for (const QString& strCriterion : std::as_const(arCriteria)) {
            // A row whose record is already gone just leaves the list.
            if (recordset.FindFirst(strCriterion))
                recordset.Delete();
        }
        m_pCDaoDatabase->CommitTrans();
    } catch (...) {
        m_pCDaoDatabase->Rollback();
        throw;
    }
    recordset.Close();
    for (auto it = arRows.crbegin(); it != arRows.crend(); ++it)
        pModel->removeRow(*it);
}
