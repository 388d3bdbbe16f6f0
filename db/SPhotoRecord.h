#pragma once

#include <QDateTime>
#include <QString>

// One record of table PHOTOS as the program uses it.
struct SPhotoRecord
{
    qint64 m_nKey = 0;
    // The wall clock as stored, without a zone (Qt::UTC); invalid when the
    // field holds no date.
    QDateTime m_dtDate;
    QString m_strName;
    QString m_strExtension;
    // Stored as text; its leading whole number.
    qint64 m_nSize = 0;
    QString m_strDirectory;
    QString m_strTheme;
    QString m_strComment;
};
