// Printing and print preview of the picture view.
#include "browse/COrvalaView.h"

#include "browse/COrvalaDoc.h"
#include "platform/framework/CWinApp.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <cmath>

void COrvalaView::PrintTo(QPrinter* pPrinter)
{
    QPainter painter;
    if (!painter.begin(pPrinter))
        return;
    // The painter starts at the printable area's top-left corner.
    const int hr = pPrinter->width();
    const int nPageHeight = pPrinter->height();
    const int lx = pPrinter->logicalDpiX();
    const int ly = pPrinter->logicalDpiY();

    if (!m_bMosaic) {
        if (m_pPictureDoc)
            m_pPictureDoc->CoverBox(QSize());
        if (m_pPictureDoc && m_pPictureDoc->m_pPicture && m_pPictureDoc->m_nPixelWidth > 0) {
            // Corrected for printers whose two resolutions differ.
            const int h = int(double(ly) * hr * m_pPictureDoc->m_nPixelHeight /
                              (double(lx) * m_pPictureDoc->m_nPixelWidth));
            const CPicture& picture = *m_pPictureDoc->m_pPicture;
            const QSize szHimetric = picture.GetHimetricSize();
            picture.Render(painter, QRect(0, 0, hr, h),
                           QRect(0, szHimetric.height(), szHimetric.width(), -szHimetric.height()),
                           QRect(0, 0, hr, nPageHeight));
        }
        return;
    }

    // The mosaic keeps its own proportions, scaled to the printable width and
    // cut into pages.
    const SMosaicGeometry g = CellGeometry();
    const QSize szMosaic = g.MosaicSize();
    const double dScale = double(hr) / szMosaic.width();
    const double dPageInMosaic = nPageHeight / dScale;
    const int nPages = qMax(1, int(std::ceil(szMosaic.height() / dPageInMosaic)));
    const bool bShown = m_bSelectionShown;
    m_bSelectionShown = false; // the frame belongs to the screen
    for (int nPage = 0; nPage < nPages; ++nPage) {
        if (nPage > 0)
            pPrinter->newPage();
        painter.save();
        painter.setClipRect(QRect(0, 0, hr, nPageHeight));
        painter.scale(dScale, dScale);
        const double dTop = nPage * dPageInMosaic;
        painter.translate(0, -dTop);
        const QRect rcDoc(0, int(dTop), szMosaic.width(), int(std::ceil(dPageInMosaic)) + 1);
        DrawMosaic(&painter, rcDoc, g);
        painter.restore();
    }
    m_bSelectionShown = bShown;
}

void COrvalaView::OnFilePrint()
{
    QPrinter* pPrinter = AfxGetApp() ? AfxGetApp()->GetPrinter() : nullptr;
    if (!pPrinter)
        return;
    QPrintDialog dialog(pPrinter, this);
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(pPrinter);
}

void COrvalaView::OnFilePrintPreview()
{
    QPrinter* pPrinter = AfxGetApp() ? AfxGetApp()->GetPrinter() : nullptr;
    if (!pPrinter)
        return;
    QPrintPreviewDialog dialog(pPrinter, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* pPreview) { PrintTo(pPreview); });
    dialog.exec();
}
