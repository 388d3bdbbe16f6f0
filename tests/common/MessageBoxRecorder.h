#pragma once

#include "platform/framework/MessageBox.h"

#include <QStringList>

// Stands in for every message box while it lives: records the texts and
// answers with the next queued answer (Yes / OK when none is queued).
class CMessageBoxRecorder
{
public:
    CMessageBoxRecorder();
    ~CMessageBoxRecorder();

    void QueueAnswer(int nAnswer) { m_arAnswers.append(nAnswer); }

    QStringList m_arTexts;
    QStringList m_arTitles;
    QList<int> m_arTypes;

private:
    QList<int> m_arAnswers;
};
