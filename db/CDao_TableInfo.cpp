#include "db/CDao_TableInfo.h"

#include "platform/database/CDaoTableDef.h"

#include <QCoreApplication>
#include <QDir>

#include <charconv>

#include <iterator>

namespace {

struct SFieldDescription
{
    EPhotoField eField;
    const char* pszName;
    // The English heading is the name, as the table shows it.
    const char* pszTitle;
    qint32 nType;
    qint32 nSize;
    qint32 nFormat;
    qint32 nAttributes;
};

constexpr SFieldDescription g_arPhotoFields[] = {
    {EPhotoField::ID_Photo, "ID_Photo", QT_TRANSLATE_NOOP("PhotoField", "ID_Photo"), dbLong, 4, 0,
     dbAutoIncrField},
    {EPhotoField::Date, "Date", QT_TRANSLATE_NOOP("PhotoField", "Date"), dbDate, 60, 2, 0},
    {EPhotoField::Name, "Name", QT_TRANSLATE_NOOP("PhotoField", "Name"), dbText, 150, 0, 0},
    {EPhotoField::Extention, g_szExtentionField, QT_TRANSLATE_NOOP("PhotoField", "Extention"),
     dbText, 60, 2, 0},
    {EPhotoField::Size, "Size", QT_TRANSLATE_NOOP("PhotoField", "Size"), dbText, 60, 1, 0},
    {EPhotoField::Directory, "Directory", QT_TRANSLATE_NOOP("PhotoField", "Directory"), dbText, 250,
     0, 0},
    {EPhotoField::Theme, "Theme", QT_TRANSLATE_NOOP("PhotoField", "Theme"), dbText, 150, 0, 0},
    {EPhotoField::Comment, "Comment", QT_TRANSLATE_NOOP("PhotoField", "Comment"), dbText, 150, 0,
     0},
};

constexpr bool InEnumOrder()
{
    for (int i = 0; i < g_nPhotoFields; ++i) {
        if (PhotoColumn(g_arPhotoFields[i].eField) != i)
            return false;
    }
    return std::size(g_arPhotoFields) == g_nPhotoFields;
}
static_assert(InEnumOrder(), "the field descriptions follow EPhotoField");

} // namespace

QString PhotoFieldName(EPhotoField eField)
{
    return QLatin1String(g_arPhotoFields[PhotoColumn(eField)].pszName);
}

QString PhotoFieldTitle(EPhotoField eField)
{
    return QCoreApplication::translate("PhotoField", g_arPhotoFields[PhotoColumn(eField)].pszTitle);
}

QString RecordDirectory(const QString& strFolder)
{
    QString strDirectory = QDir::cleanPath(QDir::fromNativeSeparators(strFolder));
    if (strDirectory.endsWith(u'/'))
        strDirectory.chop(1);
    return strDirectory;
}

qint64 LeadingWholeNumber(const QString& strText)
{
    const QByteArray text = strText.trimmed().toLatin1();
    const char* p = text.constData();
    if (*p == '+')
        ++p;
    qint64 nValue = 0;
    std::from_chars(p, text.constData() + text.size(), nValue);
    return nValue;
}

CDao_TableInfo PhotoTableInfo()
{
    CDao_TableInfo info;
    info.m_strDatabaseFile = QStringLiteral("Photos.mdb");
    info.m_strTableName = QStringLiteral("PHOTOS");
    for (const SFieldDescription& field : g_arPhotoFields) {
        info.m_arNames.append(QLatin1String(field.pszName));
        info.m_arTypes.append(field.nType);
        info.m_arSizes.append(field.nSize);
        info.m_arFormats.append(field.nFormat);
        info.m_arAttributes.append(field.nAttributes);
    }
    info.m_nFields = g_nPhotoFields;
    return info;
}
