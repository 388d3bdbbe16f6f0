#include "platform/CResources.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

int ToId(const QString& strKey, bool* pbOk)
{
    return strKey.toInt(pbOk);
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
    auto fail = [pstrError](const QString& strWhy) {
        if (pstrError)
            *pstrError = strWhy;
        return false;
    };
    if (!doc.isObject())
        return fail(error.errorString());
    const QJsonObject root = doc.object();
    bool bOk = true;

    const QJsonObject strings = root.value(QLatin1String("strings")).toObject();
    for (auto it = strings.begin(); it != strings.end(); ++it) {
        const int nID = ToId(it.key(), &bOk);
        if (!bOk)
            return fail(QStringLiteral("string id %1 is not a number").arg(it.key()));
        m_mapStrings.insert(nID, it.value().toString());
    }

    const QJsonObject menus = root.value(QLatin1String("menus")).toObject();
    for (auto it = menus.begin(); it != menus.end(); ++it) {
        const int nID = ToId(it.key(), &bOk);
        if (!bOk)
            return fail(QStringLiteral("menu id %1 is not a number").arg(it.key()));
        QList<CMenuData> arMenus;
        for (const QJsonValue& menuValue : it.value().toArray()) {
            const QJsonObject menu = menuValue.toObject();
            CMenuData data;
            data.strCaption = menu.value(QLatin1String("caption")).toString();
            for (const QJsonValue& itemValue : menu.value(QLatin1String("items")).toArray()) {
                const QJsonObject item = itemValue.toObject();
                CMenuItemData itemData;
                itemData.bSeparator = item.value(QLatin1String("separator")).toBool();
                itemData.nID = item.value(QLatin1String("id")).toInt();
                itemData.strCaption = item.value(QLatin1String("caption")).toString();
                if (!itemData.bSeparator && itemData.nID == 0)
                    return fail(QStringLiteral("menu %1 has an item without id").arg(nID));
                data.arItems.append(itemData);
            }
            arMenus.append(data);
        }
        m_mapMenus.insert(nID, arMenus);
    }

    const QJsonObject toolBars = root.value(QLatin1String("toolbars")).toObject();
    for (auto it = toolBars.begin(); it != toolBars.end(); ++it) {
        const int nID = ToId(it.key(), &bOk);
        if (!bOk)
            return fail(QStringLiteral("tool bar id %1 is not a number").arg(it.key()));
        QList<CToolBarButtonData> arButtons;
        for (const QJsonValue& buttonValue : it.value().toArray()) {
            const QJsonObject button = buttonValue.toObject();
            CToolBarButtonData data;
            data.bSeparator = button.value(QLatin1String("separator")).toBool();
            data.nID = button.value(QLatin1String("id")).toInt();
            data.strIcon = button.value(QLatin1String("icon")).toString();
            arButtons.append(data);
        }
        m_mapToolBars.insert(nID, arButtons);
    }

    const QJsonObject accelerators = root.value(QLatin1String("accelerators")).toObject();
    for (auto it = accelerators.begin(); it != accelerators.end(); ++it) {
        const int nID = ToId(it.key(), &bOk);
        if (!bOk)
            return fail(QStringLiteral("accelerator table %1 is not a number").arg(it.key()));
        QList<CAcceleratorData> arKeys;
        for (const QJsonValue& keyValue : it.value().toArray()) {
            const QJsonObject key = keyValue.toObject();
            CAcceleratorData data;
            data.keys = QKeySequence(key.value(QLatin1String("keys")).toString(),
                                     QKeySequence::PortableText);
            data.nID = key.value(QLatin1String("id")).toInt();
            if (data.keys.isEmpty())
                return fail(QStringLiteral("accelerator %1 has no keys").arg(data.nID));
            arKeys.append(data);
        }
        m_mapAccelerators.insert(nID, arKeys);
    }

    const QJsonObject icons = root.value(QLatin1String("icons")).toObject();
    for (auto it = icons.begin(); it != icons.end(); ++it) {
        const int nID = ToId(it.key(), &bOk);
        if (!bOk)
            return fail(QStringLiteral("icon id %1 is not a number").arg(it.key()));
        m_mapIcons.insert(nID, it.value().toString());
    }
    return true;
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
