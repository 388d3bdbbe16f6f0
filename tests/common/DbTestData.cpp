#include "common/DbTestData.h"

#include "db/CDao_TableInfo.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CDaoRecordset.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>

QMap<QString, QByteArray> FolderChecksums(const QString& strFolder)
{
    QMap<QString, QByteArray> map;
    QDirIterator it(strFolder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString strPath = it.next();
        QFile file(strPath);
        QByteArray hash = "unreadable";
        if (file.open(QIODevice::ReadOnly))
            hash = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
        map.insert(QDir(strFolder).relativeFilePath(strPath), hash);
    }
    return map;
}

void AddPhoto(CDaoDatabase* pDatabase, const QDateTime& date, const QString& strName,
              const QString& strDirectory, const QString& strTheme, const QString& strComment)
{
    CDaoRecordset recordset(pDatabase);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    recordset.AddNew();
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Date), date);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Name), strName);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Extention), strName.section(u'.', -1));
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Size), QStringLiteral("1234"));
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Directory), strDirectory);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Theme), strTheme);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Comment), strComment);
    recordset.Update();
}

QString DaoRefusal(const std::function<void()>& call)
{
    try {
        call();
    } catch (const CDaoException& e) {
        return e.GetErrorDescription();
    }
    return QString();
}
