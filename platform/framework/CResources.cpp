#include "platform/framework/CResources.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Reads one section, an object keyed by resource id: every entry goes to
// readEntry, which returns an error text or an empty string.
template <typename ReadEntry>
QString ReadSection(const QJsonObject& root, const char* szSection, ReadEntry readEntry)
{
    const QJsonObject section = root.value(QLatin1String(szSection)).toObject();
    for (auto it = section.begin(); it != section.end(); ++it) {
        bool bOk = false;
        const int nID = it.key().toInt(&bOk);
        if (!bOk)
            return QStringLiteral("%1: id %2 is not a number")
                .arg(QLatin1String(szSection), it.key());
        const QString strError = readEntry(nID, it.value());
        if (!strError.isEmpty())
            return QStringLiteral("%1 %2: %3").arg(QLatin1String(szSection)).arg(nID).arg(strError);
    }
    return QString();
}

QString Text(const QJsonObject& object, const char* szKey)
{
    return object.value(QLatin1String(szKey)).toString();
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
                qWarning("Orvala resources: %s", qPrintable(strError));
        } else {
            qWarning("Orvala resources are missing from the program");
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
        strError = ReadSection(root, "strings", [this](int nID, const QJsonValue& value) {
            m_mapStrings.insert(nID, value.toString());
            return QString();
        });
    if (strError.isEmpty())
        strError = ReadSection(root, "menus", [this](int nID, const QJsonValue& value) {
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
                        return QStringLiteral("an item has no id");
                    data.arItems.append(itemData);
                }
                arMenus.append(data);
            }
            m_mapMenus.insert(nID, arMenus);
            return QString();
        });
    if (strError.isEmpty())
        strError = ReadSection(root, "toolbars", [this](int nID, const QJsonValue& value) {
            QList<CToolBarButtonData> arButtons;
            for (const QJsonValue& buttonValue : value.toArray()) {
                const QJsonObject button = buttonValue.toObject();
                CToolBarButtonData data;
                data.bSeparator = button.value(QLatin1String("separator")).toBool();
                data.nID = button.value(QLatin1String("id")).toInt();
                data.strIcon = Text(button, "icon");
                arButtons.append(data);
            }
            m_mapToolBars.insert(nID, arButtons);
            return QString();
        });
    if (strError.isEmpty())
        strError = ReadSection(root, "accelerators", [this](int nID, const QJsonValue& value) {
            QList<CAcceleratorData> arKeys;
            for (const QJsonValue& keyValue : value.toArray()) {
                const QJsonObject key = keyValue.toObject();
                CAcceleratorData data;
                data.keys = QKeySequence(Text(key, "keys"), QKeySequence::PortableText);
                data.nID = key.value(QLatin1String("id")).toInt();
                if (data.keys.isEmpty())
                    return QStringLiteral("command %1 has no keys").arg(data.nID);
                arKeys.append(data);
            }
            m_mapAccelerators.insert(nID, arKeys);
            return QString();
        });
    if (strError.isEmpty())
        strError = ReadSection(root, "icons", [this](int nID, const QJsonValue& value) {
            m_mapIcons.insert(nID, value.toString());
            return QString();
        });

    if (pstrError)
        *pstrError = strError;
    return strError.isEmpty();
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
