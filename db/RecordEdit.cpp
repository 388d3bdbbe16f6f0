#include "db/RecordEdit.h"

SRecordEdit CompareRecordTexts(const SRecordTexts& shown, const SRecordTexts& edited,
                               const SRecordTexts& stored)
{
    SRecordEdit edit;
    edit.bThemeChanged = edited.m_strTheme != shown.m_strTheme;
    edit.bCommentChanged = edited.m_strComment != shown.m_strComment;
    edit.bThemeConflict = edit.bThemeChanged && stored.m_strTheme != shown.m_strTheme &&
                          stored.m_strTheme != edited.m_strTheme;
    edit.bCommentConflict = edit.bCommentChanged && stored.m_strComment != shown.m_strComment &&
                            stored.m_strComment != edited.m_strComment;
    return edit;
}
