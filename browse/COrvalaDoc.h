#pragma once

#include "platform/framework/CDocument.h"
#include "platform/picture/CPicture.h"

// The document of picture windows (one picture and its sizes) and of table
// windows (empty there). Nothing is ever saved.
class COrvalaDoc : public CDocument
{
    Q_OBJECT
public:
    COrvalaDoc() = default;

    // Replaces the picture by the one in the file, measured on the primary
    // screen. Always true: a file that is no picture leaves the document without
    // one, its sizes those of the last picture that loaded.
    bool OnOpenDocument(const QString& strPathName) override;

    int m_nPixelWidth = 0;
    int m_nPixelHeight = 0;
    int m_nHimetricWidth = 0;
    int m_nHimetricHeight = 0;
    CPicturePtr m_pPicture;
};
