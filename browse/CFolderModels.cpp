#include "browse/CFolderModels.h"

#include "browse/CFolderModel.h"

std::shared_ptr<CFolderModel> CFolderModels::Model(const QString& strFolder, bool bAllFormats)
{
    QString strKey = strFolder;
    if (!strKey.isEmpty() && !strKey.endsWith(QLatin1Char('/')))
        strKey += QLatin1Char('/');
    for (auto it = m_mapModels.begin(); it != m_mapModels.end();)
        it = it.value().expired() ? m_mapModels.erase(it) : std::next(it);
    std::weak_ptr<CFolderModel>& pWeak = m_mapModels[qMakePair(strKey, bAllFormats)];
    std::shared_ptr<CFolderModel> pModel = pWeak.lock();
    if (!pModel) {
        pModel = std::make_shared<CFolderModel>(strKey, bAllFormats);
        pWeak = pModel;
    }
    return pModel;
}
