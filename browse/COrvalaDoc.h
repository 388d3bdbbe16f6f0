#pragma once

#include "browse/CDecodeAhead.h"
#include "platform/framework/CDocument.h"
#include "platform/picture/CPicture.h"

#include <QSize>
#include <QStringList>

// The document of picture windows (one picture and its sizes) and of table
// windows (empty there). Nothing is ever saved.
class COrvalaDoc : public CDocument
{
    Q_OBJECT
public:
    COrvalaDoc() = default;

    // Replaces the picture by the one in the file at full resolution, measured
    // on the primary screen. A file that is missing, unreadable or no picture
    // is said so in a message, and false keeps its window from opening.
    bool OnOpenDocument(const QString& strPathName) override;
    // The same, the picture decoded just large enough to cover the box it is
    // drawn in (full resolution for an empty box); the four sizes are still
    // those of the whole picture. A picture decoded ahead for the same box is
    // taken when its file has not changed since. The decode runs on a worker;
    // one that takes longer than the window may wait leaves the document
    // without a picture until PictureChanged.
    void OpenPicture(const QString& strPath, const QSize& szBox);
    // Decodes the picture again when it was decoded too small to cover the
    // box; an empty box asks for full resolution (Full Size, printing). Until
    // the larger one is there the smaller one stays.
    void CoverBox(const QSize& szBox);
    // Starts decoding the pictures for the box on worker threads and drops
    // those decoded ahead for anything else.
    void DecodeAhead(const QStringList& arPaths, const QSize& szBox);
    // The file of the picture asked for last: shown, on its way, or unreadable.
    const QString& PicturePath() const { return m_strPicturePath; }
    // Why that file gave no picture (PictureProblem's words); empty while it
    // is shown or on its way. A failed file leaves the document without a
    // picture, its sizes those of the last picture that loaded.
    const QString& Problem() const { return m_strProblem; }

    int m_nPixelWidth = 0;
    int m_nPixelHeight = 0;
    int m_nHimetricWidth = 0;
    int m_nHimetricHeight = 0;
    CPicturePtr m_pPicture;

signals:
    // A picture that was still being decoded when asked for has arrived.
    void PictureChanged();
    // The document holds a new picture, or none after a file that gave none:
    // what the frame tells about it is out of date.
    void PictureShown();

private:
    void SetPicture(const CPicturePtr& pPicture, const QSize& szBox);
    void TakeDecoded(const CDecodeAhead::SDecoded& decoded, const QString& strPath,
                     const QSize& szBox);
    void TakeLarger(const CPicturePtr& pLarger, const QSize& szBox);

    // Also where a larger decode reads from.
    QString m_strPicturePath;
    QString m_strProblem;
    // The largest box the picture covers; invalid when its file has no more to
    // give (decoded whole, or a larger decode failed).
    QSize m_szCovered;
    CDecodeAhead m_ahead;
    // Counts the decodes asked for, so a late result of an older one is dropped.
    quint64 m_nRequest = 0;
    // The picture still on its way when the window went on.
    QString m_strPendingPath;
    QSize m_szPendingBox;
    QFuture<CDecodeAhead::SDecoded> m_pending;
};
