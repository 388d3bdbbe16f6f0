#pragma once

#include "platform/framework/CDocument.h"

// The document of picture windows (one picture and its sizes) and of table
// windows (empty there). Nothing is ever saved.
class COrvalaDoc : public CDocument
{
    Q_OBJECT
public:
    COrvalaDoc() = default;

    int m_nPixelWidth = 0;
    int m_nPixelHeight = 0;
    int m_nHimetricWidth = 0;
    int m_nHimetricHeight = 0;
};
