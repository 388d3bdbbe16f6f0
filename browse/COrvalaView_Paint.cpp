// Painting of the picture view: the single picture, the mosaic and its build.
#include "browse/COrvalaView.h"

#include "browse/COrvalaDoc.h"
#include "platform/framework/CProgressCtrl_Status.h"
#include "platform/framework/ExceptionBoundary.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

namespace {

// How long one tick of the mosaic build may place thumbnails.
constexpr int kMosaicTickMs = 15;

// The outline through rc, the pen's width centred on it, as filled strips:
// a wide pen's pixels would depend on the paint engine's rounding.
void DrawFrame(QPainter* pDC, const QRect& rc, const QPen& pen)
{
    const int b = qMax(1, pen.width());
    const QRect rcOuter = rc.adjusted(-b / 2, -b / 2, b - b / 2, b - b / 2);
    const QBrush brush = pen.brush();
    pDC->fillRect(QRect(rcOuter.left(), rcOuter.top(), rcOuter.width(), b), brush);
    pDC->fillRect(QRect(rcOuter.left(), rcOuter.bottom() - b + 1, rcOuter.width(), b), brush);
    pDC->fillRect(QRect(rcOuter.left(), rcOuter.top(), b, rcOuter.height()), brush);
    pDC->fillRect(QRect(rcOuter.right() - b + 1, rcOuter.top(), b, rcOuter.height()), brush);
}

} // namespace

void COrvalaView::paintEvent(QPaintEvent*)
{
    AfxRunContained([this] {
        QPainter painter(viewport());
        OnEraseBkgnd(&painter);
        painter.translate(-GetScrollPosition());
        OnDraw(&painter);
    });
}

bool COrvalaView::OnEraseBkgnd(QPainter* pDC)
{
    if (m_bMosaic) {
        const QRect rcClient = viewport()->rect();
        const QRect rcMosaic(-GetScrollPosition(), GetTotalSize());
        const QColor window = palette().color(QPalette::Window);
        if (rcMosaic.right() < rcClient.right())
            pDC->fillRect(QRect(QPoint(rcMosaic.right() + 1, 0), rcClient.bottomRight()), window);
        if (rcMosaic.bottom() < rcClient.bottom())
            pDC->fillRect(QRect(QPoint(0, rcMosaic.bottom() + 1), rcClient.bottomRight()), window);
    }
    return true;
}

SMosaicGeometry COrvalaView::Geometry() const
{
    return MosaicGeometry(viewport()->width(), m_nPhotosInRow, m_nBorderWidth, m_nCount);
}

SMosaicGeometry COrvalaView::CellGeometry() const
{
    SMosaicGeometry g = Geometry();
    g.nCell = qMax(1, m_nCellWidth);
    g.nPitch = g.nCell + g.nBorder;
    return g;
}

void COrvalaView::OnDraw(QPainter* pDC)
{
    if (!m_pPictureDoc)
        return;
    // A first build shows its thumbnails as they come, as a rebuild does.
    if (m_bMosaic && m_bSlideShow) {
        // The slide covers the mosaic; what it leaves free is white.
        pDC->fillRect(QRect(GetScrollPosition(), viewport()->size()), Qt::white);
        DrawPicture(pDC, QString());
        return;
    }
    if (m_bMosaic || (m_bBusy && m_nTimerId == 2)) {
        DrawMosaic(pDC, QRect(GetScrollPosition(), viewport()->size()), CellGeometry());
        return;
    }
    // The picture lies on a white page filling the window: what it leaves
    // free, and a drawing still being played, never show older pixels.
    // Without a picture (a new window, a file that is none, an empty
    // folder's mosaic) the page stays white.
    // Full screen is black around the picture, as on a screen of its own.
    const QColor page = m_pFullScreen ? Qt::black : Qt::white;
    pDC->fillRect(QRect(GetScrollPosition(), viewport()->size()), page);
    if (m_pPictureDoc->m_pPicture)
        DrawPicture(pDC, QString());
    else
        DrawNoPicture(pDC);
}

void COrvalaView::DrawNoPicture(QPainter* pDC)
{
    const QRect rcVisible(GetScrollPosition(), viewport()->size());
    // A file that failed is named with the reason, in place of its picture.
    const QString& strProblem = m_pPictureDoc->Problem();
    if (strProblem.isEmpty())
        return;
    const QString strName = QFileInfo(m_pPictureDoc->PicturePath()).fileName();
    pDC->setPen(m_pFullScreen ? Qt::white : Qt::black);
    pDC->drawText(rcVisible.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                  QStringLiteral("%1\n%2").arg(strName, strProblem));
}

// A cell whose file gave no thumbnail: grey, crossed, so it is not taken for
// a white picture or one still to come.
void COrvalaView::DrawUnreadableCell(QPainter* pDC, const QRect& rcCell)
{
    pDC->fillRect(rcCell, QColor(224, 224, 224));
    pDC->setPen(QPen(QColor(160, 0, 0), qMax(1, rcCell.width() / 24)));
    const QRect rc = rcCell.adjusted(rcCell.width() / 4, rcCell.height() / 4, -rcCell.width() / 4,
                                     -rcCell.height() / 4);
    pDC->drawLine(rc.topLeft(), rc.bottomRight());
    pDC->drawLine(rc.topRight(), rc.bottomLeft());
}

void COrvalaView::DrawMosaic(QPainter* pDC, const QRect& rcDoc, const SMosaicGeometry& g)
{
    const QRect rcMosaic(QPoint(0, 0), g.MosaicSize());
    pDC->fillRect(rcMosaic.intersected(rcDoc), Qt::white);
    const auto [nFirstRow, nEndRow] = g.RowsIn(rcDoc);
    const QVector<QImage>& arThumbnails = m_MosaicBuild.Thumbnails();
    const int nEnd = qMin<qint64>(qint64(nEndRow) * g.nPhotosInRow, arThumbnails.size());
    for (int i = nFirstRow * g.nPhotosInRow; i < nEnd; ++i) {
        const QImage& thumb = arThumbnails[i];
        if (!thumb.isNull())
            pDC->drawImage(g.ThumbnailRect(i, m_bKeepProportions, thumb.size()), thumb);
        else if (i < m_MosaicBuild.Next() && !m_MosaicBuild.IsLate(i))
            DrawUnreadableCell(pDC, g.CellRect(i));
    }
    if (m_ptSelection.x() > 0) {
        const int nIndex = g.IndexAt(m_ptSelection, int(m_arrPictures.size()));
        if (nIndex >= 0) {
            DrawFrame(pDC, g.SelectionRect(nIndex), m_bSelectionShown ? m_penSelect : m_penErase);
        }
    }
}

bool COrvalaView::DrawPicture(QPainter* pDC, const QString& strPath)
{
    if (strPath.isEmpty() || !m_pPictureDoc)
        return DrawDocumentPicture(pDC);
    m_pPictureDoc->OpenPicture(strPath, DecodeBox());
    const bool bDrawn = DrawDocumentPicture(pDC);
    DecodeNeighboursAhead(strPath);
    return bDrawn;
}

QSize COrvalaView::DecodeBox() const
{
    const qreal dRatio = viewport()->devicePixelRatioF();
    switch (Fit()) {
    case EPictureFit::Width:
        // Fitted to the width, whatever the height: a box one pixel high.
        return QSize(qCeil(viewport()->width() * dRatio), 1);
    case EPictureFit::Window:
        // Covering the window covers the picture drawn inside it.
        return QSize(qCeil(viewport()->width() * dRatio), qCeil(viewport()->height() * dRatio));
    case EPictureFit::FullSize:
    case EPictureFit::Zoom:
        // Zoom steps draw from the whole picture, never decoding it again.
        break;
    }
    return QSize();
}

void COrvalaView::DecodeNeighboursAhead(const QString& strPath)
{
    // Full size decodes are too large to hold more than the one shown.
    if (DecodeBox().isEmpty()) {
        m_pPictureDoc->DecodeAhead(QStringList(), QSize());
        return;
    }
    const int nCount = int(m_arrPictures.size());
    int nIndex = m_nCurrent;
    if (nIndex < 0 || nIndex >= nCount || m_arrPictures[nIndex] != strPath)
        nIndex = int(m_arrPictures.indexOf(strPath));
    QStringList arNeighbours;
    if (nIndex >= 0 && nIndex + 1 < nCount)
        arNeighbours << m_arrPictures[nIndex + 1];
    if (nIndex > 0)
        arNeighbours << m_arrPictures[nIndex - 1];
    m_pPictureDoc->DecodeAhead(arNeighbours, DecodeBox());
}

bool COrvalaView::DrawDocumentPicture(QPainter* pDC)
{
    const bool bPicture = m_pPictureDoc && m_pPictureDoc->m_pPicture;
    if (!pDC) {
        // Qt paints only from the paint event; it comes at once. Without a
        // picture too: the window must not keep showing the one before.
        viewport()->repaint();
        return bPicture;
    }
    if (!bPicture)
        return false;
    m_pPictureDoc->CoverBox(DecodeBox());
    const QRect rcPicture = Layout().rcPicture;
    try {
        // What the window shows of the picture: the painter is scrolled.
        const QRect rcVisible(GetScrollPosition(), viewport()->size());
        m_PictureRender.Draw(*pDC, m_pPictureDoc->m_pPicture, rcPicture, rcVisible);
    } catch (const std::exception&) {
        return false;
    }
    m_nLastWidth = rcPicture.width();
    m_nLastHeight = rcPicture.height();
    return true;
}

bool COrvalaView::SelectCell(QPoint pt, bool bErase)
{
    if (m_nCellWidth <= 0)
        return false;
    const QPoint ptDoc = pt + GetScrollPosition();
    const SMosaicGeometry g = CellGeometry();
    const int nIndex = g.IndexAt(ptDoc, int(m_arrPictures.size()));
    if (nIndex < 0)
        return false;
    if (m_bHasFocus && !m_bBusy)
        SetMessageText(PictureAt(nIndex));
    m_ptSelection = ptDoc;
    m_bSelectionShown = !bErase;
    const int nPen = m_nBorderWidth;
    viewport()->update(g.SelectionRect(nIndex)
                           .translated(-GetScrollPosition())
                           .adjusted(-nPen, -nPen, nPen, nPen));
    return true;
}

void COrvalaView::StartMosaic()
{
    m_bMosaicStale = false;
    m_MosaicBuild.Clear();
    m_ptSelection = QPoint();
    m_bSelectionShown = false;
    if (m_pPictureDoc)
        m_pPictureDoc->SetTitle(m_strFolder);
    if (!ListFolder()) {
        // Built once the folder is listed.
        WhenListed([this] { StartMosaic(); });
        viewport()->update();
        return;
    }
    if (m_nCount == 0) {
        // Nothing to show under the folder's caption: a white window.
        if (m_pPictureDoc)
            m_pPictureDoc->m_pPicture.reset();
        SetScrollSizes(QSize(0, 0));
        viewport()->update();
        return;
    }
    const SMosaicGeometry g = Geometry();
    m_nCellWidth = m_nCellHeight = g.nCell;

    m_strText = tr(" Show %1 pictures from current directory: ").arg(m_nCount);
    if (m_pStatusProgress)
        m_pStatusProgress->ShowStatusProgress(m_strText, &m_wndProgress);
    m_bBusy = true;
    BeginWaitCursor();
    m_MosaicBuild.Start(m_arrPictures, g.nCell, m_bKeepProportions,
                        viewport()->devicePixelRatioF());
    m_nTimerId = SetTimer(2, m_nMosaicInterval);
    viewport()->update();
}

void COrvalaView::MosaicStep()
{
    const SMosaicGeometry g = Geometry();
    m_nCellWidth = m_nCellHeight = g.nCell;
    if (m_MosaicBuild.IsDone()) {
        EndMosaicBuild();
        return;
    }
    m_strText = PictureAt(m_MosaicBuild.Next());
    // Every thumbnail already made is placed in this tick (those from the
    // cache come fast), for a bounded time so keys still come through; one
    // still on its way is placed by a later tick.
    QElapsedTimer tick;
    tick.start();
    int k = -1;
    for (int i = m_MosaicBuild.Step(); i >= 0; i = m_MosaicBuild.Step(false)) {
        const QImage& image = m_MosaicBuild.Thumbnails()[i];
        if (!image.isNull()) {
            viewport()->update(g.ThumbnailRect(i, m_bKeepProportions, image.size())
                                   .translated(-GetScrollPosition()));
            k = i;
        }
        if (tick.elapsed() >= kMosaicTickMs)
            break;
    }
    if (k < 0)
        return;

    m_strText = tr(" Mosaic %1 / %2  from current directory: ").arg(k + 1, 4).arg(m_nCount, 4);
    if (m_bHasFocus)
        SetMessageText(m_strText);
    m_wndProgress.SetPos(int(qint64(k + 1) * 100 / m_nCount));
}

void COrvalaView::EndMosaicBuild()
{
    KillTimer(2);
    SetMessageText(QString());
    EndWaitCursor();
    m_wndProgress.Remove();
    const SMosaicGeometry g = Geometry();
    SetScrollSizes(g.MosaicSize());
    m_ptSelection = QPoint(m_nCellWidth / 2, m_nCellHeight / 2);
    SelectCell(m_ptSelection - GetScrollPosition(), false);
    m_bBusy = false;
    m_bMosaic = true;
    viewport()->update();
}
