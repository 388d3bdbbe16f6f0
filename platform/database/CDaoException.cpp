#include "platform/database/CDaoException.h"

#include <utility>

CDaoException::CDaoException(QString strDescription, int nErrorCode)
    : m_strDescription(std::move(strDescription))
    , m_utf8Description(m_strDescription.toUtf8())
    , m_nErrorCode(nErrorCode)
{
}

QString DaoExcerpt(const QString& strText)
{
    constexpr qsizetype nLimit = 200;
    if (strText.size() <= nLimit)
        return strText;
    // One less rather than half a surrogate pair.
    const qsizetype nCut = strText[nLimit - 1].isHighSurrogate() ? nLimit - 1 : nLimit;
    return strText.left(nCut) + QChar(0x2026);
}
