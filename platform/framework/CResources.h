#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QString>

// The program's menus, tool bars, accelerators, string table and icon names,
// kept as data (resources/orvala.json) and looked up by resource id. Texts
// come out in the user's language: the English in the data is the source text
// of a translation in the context "Resources".
struct CMenuItemData
{
    int nID = 0;
    QString strCaption;
    bool bSeparator = false;
};

struct CMenuData
{
    QString strCaption;
    QList<CMenuItemData> arItems;
};

struct CToolBarButtonData
{
    int nID = 0;
    QString strIcon;
    bool bSeparator = false;
};

struct CAcceleratorData
{
    QKeySequence keys;
    int nID = 0;
};

class CResources
{
public:
    // The program's own resources, read once from the application's resource file.
    static const CResources& Get();

    // Reads resources from their JSON form; false with a reason on a malformed file.
    bool Parse(const QByteArray& json, QString* pstrError = nullptr);

    QString LoadString(int nID) const { return Translated(m_mapStrings.value(nID)); }
    // The text as written in the data, for what must not change with the
    // language, such as the name the settings are kept under.
    QString LoadSourceString(int nID) const { return m_mapStrings.value(nID); }
    // Text before the line feed: the status-bar prompt of a command.
    QString GetPrompt(int nID) const;
    // Text after the line feed: the tool tip of a command.
    QString GetToolTip(int nID) const;
    QList<CMenuData> GetMenu(int nID) const;
    QList<CToolBarButtonData> GetToolBar(int nID) const { return m_mapToolBars.value(nID); }
    QList<CAcceleratorData> GetAccelerators(int nID) const { return m_mapAccelerators.value(nID); }
    // Resource path of an icon by its id (":/icons/NAME.svg"), empty when unknown.
    QString GetIconPath(int nID) const;
    static QString ToolBarIconPath(const QString& strIcon);

private:
    static QString Translated(const QString& strText);

    QHash<int, QString> m_mapStrings;
    QHash<int, QList<CMenuData>> m_mapMenus;
    QHash<int, QList<CToolBarButtonData>> m_mapToolBars;
    QHash<int, QList<CAcceleratorData>> m_mapAccelerators;
    QHash<int, QString> m_mapIcons;
};
