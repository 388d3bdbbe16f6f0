#include "browse/COrvalaDoc.h"

#include "browse/CPictureLoader.h"

#include <QGuiApplication>
#include <QScreen>

bool COrvalaDoc::OnOpenDocument(const QString& strPathName)
{
    // The old picture goes first, so a document never holds two.
    m_pPicture.reset();

    const QScreen* pScreen = QGuiApplication::primaryScreen();
    const int nDpiX = pScreen ? qRound(pScreen->logicalDotsPerInchX()) : 96;
    const int nDpiY = pScreen ? qRound(pScreen->logicalDotsPerInchY()) : 96;
    QSize szPixel(m_nPixelWidth, m_nPixelHeight);
    QSize szHimetric(m_nHimetricWidth, m_nHimetricHeight);
    m_pPicture = CPictureLoader().LoadPicture(strPathName, nDpiX, nDpiY, szPixel, szHimetric);
    m_nPixelWidth = szPixel.width();
    m_nPixelHeight = szPixel.height();
    m_nHimetricWidth = szHimetric.width();
    m_nHimetricHeight = szHimetric.height();
    return true;
}
