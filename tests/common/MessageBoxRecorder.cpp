#include "MessageBoxRecorder.h"

CMessageBoxRecorder::CMessageBoxRecorder()
{
    SetMessageBoxHook([this](const QString& strText, const QString& strTitle, int nType) {
        m_arTexts.append(strText);
        m_arTitles.append(strTitle);
        m_arTypes.append(nType);
        if (!m_arAnswers.isEmpty())
            return m_arAnswers.takeFirst();
        return (nType & 0xF) == MB_YESNO ? int(IDYES) : int(IDOK);
    });
}

CMessageBoxRecorder::~CMessageBoxRecorder()
{
    SetMessageBoxHook({});
}
