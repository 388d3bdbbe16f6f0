#include "platform/framework/CResources.h"

#include "platform/framework/FrameworkLog.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Reads one section, an object keyed by resource id, into map: readEntry
// turns an entry into its value, or sets an error text.
template <typename T, typename ReadEntry>
QString ReadSection(const QJsonObject& root, const char* szSection, QHash<int, T>& map,
                    ReadEntry readEntry)
{
    const QJsonObject section = root.value(QLatin1String(szSection)).toObject();
    for (auto it = section.begin(); it != section.end(); ++it) {
        bool bOk = false;
        const int nID = it.key().toInt(&bOk);
        if (!bOk)
            return QStringLiteral("%1: id %2 is not a number")
                .arg(QLatin1String(szSection), it.key());
        QString strError;
        T entry = readEntry(it.value(), &strError);
        if (!strError.isEmpty())
            return QStringLiteral("%1 %2: %3").arg(QLatin1String(szSection)).arg(nID).arg(strError);
        map.insert(nID, entry);
    }
    return QString();
}

QString Text(const QJsonObject& object, const char* szKey)
{
    return object.value(QLatin1String(szKey)).toString();
}

QString ReadText(const QJsonValue& value, QString*)
{
    return value.toString();
}

QList<CMenuData> ReadMenus(const QJsonValue& value, QString* pstrError)
{
    QList<CMenuData> arMenus;
    for (const QJsonValue& menuValue : value.toArray()) {
        const QJsonObject menu = menuValue.toObject();
        CMenuData data;
        data.strCaption = Text(menu, "caption");
        for (const QJsonValue& itemValue : menu.value(QLatin1String("items")).toArray()) {
            const QJsonObject item = itemValue.toObject();
            CMenuItemData itemData;
            itemData.bSeparator = item.value(QLatin1String("separator")).toBool();
            itemData.nID = item.value(QLatin1String("id")).toInt();
            itemData.strCaption = Text(item, "caption");
            if (!itemData.bSeparator && itemData.nID == 0)
                *pstrError = QStringLiteral("an item has no id");
            data.arItems.append(itemData);
        }
        arMenus.append(data);
    }
    return arMenus;
}

QList<CToolBarButtonData> ReadToolBar(const QJsonValue& value, QString*)
{
    QList<CToolBarButtonData> arButtons;
    for (const QJsonValue& buttonValue : value.toArray()) {
        const QJsonObject button = buttonValue.toObject();
        CToolBarButtonData data;
        data.bSeparator = button.value(QLatin1String("separator")).toBool();
        data.nID = button.value(QLatin1String("id")).toInt();
        data.strIcon = Text(button, "icon");
        arButtons.append(data);
    }
    return arButtons;
}

QList<CAcceleratorData> ReadAccelerators(const QJsonValue& value, QString* pstrError)
{
    QList<CAcceleratorData> arKeys;
    for (const QJsonValue& keyValue : value.toArray()) {
        const QJsonObject key = keyValue.toObject();
        CAcceleratorData data;
        data.keys = QKeySequence(Text(key, "keys"), QKeySequence::PortableText);
        data.nID = key.value(QLatin1String("id")).toInt();
        if (data.keys.isEmpty() && pstrError->isEmpty())
            *pstrError = QStringLiteral("command %1 has no keys").arg(data.nID);
        arKeys.append(data);
    }
    return arKeys;
}

} // namespace

const CResources& CResources::Get()
{
    static const CResources s_resources = [] {
        CResources res;
        QFile file(QStringLiteral(":/orvala.json"));
        if (file.open(QIODevice::ReadOnly)) {
            QString strError;
            if (!res.Parse(file.readAll(), &strError))
                qCWarning(lcFramework) << "resources do not parse:" << strError;
        } else {
            qCWarning(lcFramework) << "resources are missing from the program";
        }
        return res;
    }();
    return s_resources;
}

bool CResources::Parse(const QByteArray& json, QString* pstrError)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    QString strError = doc.isObject() ? QString() : error.errorString();
    const QJsonObject root = doc.object();

    if (strError.isEmpty())
        strError = ReadSection(root, "strings", m_mapStrings, ReadText);
    if (strError.isEmpty())
        strError = ReadSection(root, "menus", m_mapMenus, ReadMenus);
    if (strError.isEmpty())
        strError = ReadSection(root, "toolbars", m_mapToolBars, ReadToolBar);
    if (strError.isEmpty())
        strError = ReadSection(root, "accelerators", m_mapAccelerators, ReadAccelerators);
    if (strError.isEmpty())
        strError = ReadSection(root, "icons", m_mapIcons, ReadText);

    if (pstrError)
        *pstrError = strError;
    return strError.isEmpty();
}

QString CResources::Translated(const QString& strText)
{
    if (strText.isEmpty())
        return strText;
    return QCoreApplication::translate("Resources", strText.toUtf8().constData());
}

QList<CMenuData> CResources::GetMenu(int nID) const
{
    QList<CMenuData> arMenus = m_mapMenus.value(nID);
    for (CMenuData& menu : arMenus) {
        menu.strCaption = Translated(menu.strCaption);
        for (CMenuItemData& item : menu.arItems)
            item.strCaption = Translated(item.strCaption);
    }
    return arMenus;
}

QString CResources::GetPrompt(int nID) const
{
    return LoadString(nID).section(QLatin1Char('\n'), 0, 0);
}

QString CResources::GetToolTip(int nID) const
{
    const QString strText = LoadString(nID);
    const qsizetype nBreak = strText.indexOf(QLatin1Char('\n'));
    return nBreak < 0 ? QString() : strText.mid(nBreak + 1);
}

QString CResources::GetIconPath(int nID) const
{
    const QString strName = m_mapIcons.value(nID);
    return strName.isEmpty() ? QString() : QStringLiteral(":/icons/%1.svg").arg(strName);
}

QString CResources::ToolBarIconPath(const QString& strIcon)
{
    return QStringLiteral(":/icons/toolbar/%1.svg").arg(strIcon);
}
