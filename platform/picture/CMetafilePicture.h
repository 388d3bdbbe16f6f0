#pragma once

#include "platform/picture/CEmfPlayer.h"
#include "platform/picture/CPicture.h"
#include "platform/picture/CWmfPlayer.h"
#include "platform/picture/MetafileWork.h"

#include <QByteArray>

// A WMF or EMF picture, played back as vectors at the size it is drawn.
class CMetafilePicture : public CPicture
{
public:
    // Whether the bytes begin like a WMF (placeable or not) or an EMF.
    static bool IsMetafile(const QByteArray& data);
    // Parses the metafile's header and keeps its bytes; null when the bytes
    // are no metafile this player can size. Records are checked as they play;
    // each Render stops at the first record past nWorkBudget (MetafileWork).
    static CPicturePtr Load(const QByteArray& data,
                            qint64 nWorkBudget = MetafileWork::kDefaultBudget);

    // Plays the records onto the painter: the source part of the picture
    // stretched into rcDest, clipped to rcBounds and rcDest. The painter is
    // left as it was found.
    void Render(QPainter& painter, const QRect& rcDest, const QRect& rcSrcHimetric,
                const QRect& rcBounds) const override;

private:
    CMetafilePicture(const QByteArray& data, const CWmfPlayer::SHeader& wmf);
    CMetafilePicture(const QByteArray& data, const CEmfPlayer::SHeader& emf);

    QByteArray m_data;
    bool m_bEmf = false;
    qint64 m_nWorkBudget = MetafileWork::kDefaultBudget;
    CWmfPlayer::SHeader m_wmf;
    CEmfPlayer::SHeader m_emf;
};
