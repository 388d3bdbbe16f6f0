#include "browse/COrvalaDoc.h"

#include "browse/BrowseLog.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/WorkerWait.h"
#include "platform/picture/CRasterPicture.h"
#include "platform/picture/PictureDecoder.h"
#include "platform/picture/PictureMeasure.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// The size a picture drawn into the box covers, or invalid when it was not
// reduced to fit the box: a raster picture's file pixels are its HIMETRIC
// size at 96 dpi.
QSize CoveredSize(const CPicture& picture, const QSize& szBox)
{
    const auto* pRaster = dynamic_cast<const CRasterPicture*>(&picture);
    if (szBox.isEmpty() || !pRaster)
        return QSize();
    const QSize szImage = pRaster->GetImage().size();
    const QSize szFile = PixelsFromHimetric(picture.GetHimetricSize(), 96, 96);
    if (szImage.width() >= szFile.width() && szImage.height() >= szFile.height())
        return QSize();
    return szImage;
}

} // namespace

bool COrvalaDoc::OnOpenDocument(const QString& strPathName)
{
    // Said at once, instead of a blank window that leaves the user guessing.
    const QString strProblem = PictureProblem(strPathName);
    if (!strProblem.isEmpty()) {
        AfxMessageBox(tr("\"%1\" can not be shown: %2.").arg(strPathName, strProblem),
                      MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    OpenPicture(strPathName, QSize());
    return true;
}

void COrvalaDoc::OpenPicture(const QString& strPath, const QSize& szBox)
{
    // The old picture goes first, so a document never shows two.
    m_pPicture.reset();
    m_strPicturePath = strPath;
    m_strProblem.clear();
    const quint64 nRequest = ++m_nRequest;
    // Stepping back and forth must not decode a slow picture twice at once.
    if (m_pending.isValid() && !m_pending.isFinished())
        m_ahead.Keep(m_strPendingPath, m_szPendingBox, m_pending);
    m_pending = QFuture<CDecodeAhead::SDecoded>();
    QFuture<CDecodeAhead::SDecoded> future = m_ahead.Take(strPath, szBox);
    qCDebug(lcBrowse) << "opening" << strPath << "for a box of" << szBox
                      << (future.isFinished() ? "(decoded ahead)" : "(decoding)");
    if (WaitForWorker(future)) {
        TakeDecoded(future.result(), strPath, szBox);
        return;
    }
    m_pending = future;
    m_strPendingPath = strPath;
    m_szPendingBox = szBox;
    future.then(this, [this, nRequest, strPath, szBox](const CDecodeAhead::SDecoded& decoded) {
        if (nRequest != m_nRequest)
            return;
        m_pending = QFuture<CDecodeAhead::SDecoded>();
        TakeDecoded(decoded, strPath, szBox);
        emit PictureChanged();
    });
}

void COrvalaDoc::TakeDecoded(const CDecodeAhead::SDecoded& decoded, const QString& strPath,
                             const QSize& szBox)
{
    CPicturePtr pPicture = CDecodeAhead::PictureOf(decoded, strPath);
    // Written to since it was decoded: read as it is now.
    if (!pPicture && decoded.pPicture)
        pPicture = DecodePicture(strPath, szBox);
    if (pPicture) {
        SetPicture(pPicture, szBox);
        qCDebug(lcBrowse) << "showing" << strPath << "of" << m_nPixelWidth << "x" << m_nPixelHeight
                          << "pixels";
        return;
    }
    m_strProblem = PictureProblem(strPath);
    if (m_strProblem.isEmpty())
        m_strProblem = NotAPictureText();
    qCDebug(lcBrowse) << "cannot show" << strPath << "-" << m_strProblem;
    emit PictureShown();
}

void COrvalaDoc::SetPicture(const CPicturePtr& pPicture, const QSize& szBox)
{
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    const int nDpiX = pScreen ? qRound(pScreen->logicalDotsPerInchX()) : 96;
    const int nDpiY = pScreen ? qRound(pScreen->logicalDotsPerInchY()) : 96;
    const QSize szHimetric = pPicture->GetHimetricSize();
    const QSize szPixel = PixelsFromHimetric(szHimetric, nDpiX, nDpiY);
    m_pPicture = pPicture;
    m_szCovered = CoveredSize(*pPicture, szBox);
    m_nPixelWidth = szPixel.width();
    m_nPixelHeight = szPixel.height();
    m_nHimetricWidth = szHimetric.width();
    m_nHimetricHeight = szHimetric.height();
    emit PictureShown();
}

void COrvalaDoc::CoverBox(const QSize& szBox)
{
    if (!m_pPicture || !m_szCovered.isValid())
        return;
    if (!szBox.isEmpty() && szBox.width() <= m_szCovered.width() &&
        szBox.height() <= m_szCovered.height())
        return;
    const quint64 nRequest = ++m_nRequest;
    QFuture<CPicturePtr> future = QtConcurrent::run(
        [strPath = m_strPicturePath, szBox] { return DecodePicture(strPath, szBox); });
    if (WaitForWorker(future)) {
        TakeLarger(future.result(), szBox);
        return;
    }
    // Asked once: the paints meanwhile draw the smaller picture.
    m_szCovered = QSize();
    future.then(this, [this, nRequest, szBox](const CPicturePtr& pLarger) {
        if (nRequest != m_nRequest || !m_pPicture)
            return;
        TakeLarger(pLarger, szBox);
        emit PictureChanged();
    });
}

void COrvalaDoc::TakeLarger(const CPicturePtr& pLarger, const QSize& szBox)
{
    // A file replaced by another picture since keeps the one shown, sizes and all.
    if (!pLarger || pLarger->GetHimetricSize() != m_pPicture->GetHimetricSize()) {
        m_szCovered = QSize();
        return;
    }
    SetPicture(pLarger, szBox);
}

void COrvalaDoc::DecodeAhead(const QStringList& arPaths, const QSize& szBox)
{
    m_ahead.Request(arPaths, szBox);
}
