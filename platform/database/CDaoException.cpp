#include "platform/database/CDaoException.h"

#include <utility>

CDaoException::CDaoException(QString strDescription, int nErrorCode)
    : m_strDescription(std::move(strDescription))
    , m_nErrorCode(nErrorCode)
{
}
