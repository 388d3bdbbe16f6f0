#pragma once

#include <QString>

// Theme and Comment of one record, as the Record dialog shows and edits them.
struct SRecordTexts
{
    QString m_strTheme;
    QString m_strComment;
};

// Which texts the user changed, and which of those another program changed
// too since the dialog showed them.
struct SRecordEdit
{
    bool bThemeChanged = false;
    bool bCommentChanged = false;
    bool bThemeConflict = false;
    bool bCommentConflict = false;

    bool HasChange() const { return bThemeChanged || bCommentChanged; }
    bool HasConflict() const { return bThemeConflict || bCommentConflict; }
};

// A field conflicts only when the user changed it, another program changed
// it too, and the two did not make the same change. A stored NULL and an
// empty text are the same to the user (QString compares them equal).
SRecordEdit CompareRecordTexts(const SRecordTexts& shown, const SRecordTexts& edited,
                               const SRecordTexts& stored);
