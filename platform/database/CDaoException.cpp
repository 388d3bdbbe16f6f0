#include "platform/database/CDaoException.h"

#include <utility>

CDaoException::CDaoException(QString strDescription, int nErrorCode)
    : m_strDescription(std::move(strDescription))
    , m_utf8Description(m_strDescription.toUtf8())
    , m_nErrorCode(nErrorCode)
{
}
