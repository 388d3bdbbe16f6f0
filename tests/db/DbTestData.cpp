#include "DbTestData.h"

#include "platform/CDaoRecordset.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>

#include <libexif/exif-data.h>

#include <cstring>

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
    recordset.SetFieldValue(QStringLiteral("Date"), date);
    recordset.SetFieldValue(QStringLiteral("Name"), strName);
    recordset.SetFieldValue(QStringLiteral("Extention"), strName.section(u'.', -1));
    recordset.SetFieldValue(QStringLiteral("Size"), QStringLiteral("1234"));
    recordset.SetFieldValue(QStringLiteral("Directory"), strDirectory);
    recordset.SetFieldValue(QStringLiteral("Theme"), strTheme);
    recordset.SetFieldValue(QStringLiteral("Comment"), strComment);
    recordset.Update();
}

QByteArray MakeJpeg(const QString& strExifDate)
{
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    if (strExifDate.isEmpty())
        return jpeg;

    ExifData* pData = exif_data_new();
    exif_data_set_option(pData, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_data_type(pData, EXIF_DATA_TYPE_COMPRESSED);
    exif_data_set_byte_order(pData, EXIF_BYTE_ORDER_INTEL);
    exif_data_fix(pData);
    ExifEntry* pEntry = exif_entry_new();
    exif_content_add_entry(pData->ifd[EXIF_IFD_EXIF], pEntry);
    exif_entry_initialize(pEntry, EXIF_TAG_DATE_TIME_ORIGINAL);
    const QByteArray date = strExifDate.toLatin1();
    std::memset(pEntry->data, 0, pEntry->size);
    std::memcpy(pEntry->data, date.constData(), qMin<size_t>(date.size(), pEntry->size - 1));
    exif_entry_unref(pEntry);
    unsigned char* pExif = nullptr;
    unsigned int nExif = 0;
    exif_data_save_data(pData, &pExif, &nExif);
    exif_data_unref(pData);

    // An APP1 segment right after the start-of-image marker.
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char((nExif + 2) >> 8)).append(char((nExif + 2) & 0xFF));
    app1.append(reinterpret_cast<const char*>(pExif), nExif);
    free(pExif);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}
