#pragma once

#include <QHash>
#include <QPair>
#include <QString>

#include <memory>

class CFolderModel;

// Hands out one folder model per folder and picture-format choice, shared by
// every window on that folder; a model lives (and its folder is watched)
// while a window holds it.
class CFolderModels
{
public:
    std::shared_ptr<CFolderModel> Model(const QString& strFolder, bool bAllFormats);

private:
    QHash<QPair<QString, bool>, std::weak_ptr<CFolderModel>> m_mapModels;
};
