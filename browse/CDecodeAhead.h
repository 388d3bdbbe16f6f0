#pragma once

#include "platform/picture/CPicture.h"

#include <QFuture>
#include <QSize>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

// Pictures decoded on worker threads, each for the box it will be drawn in:
// the one to show, and the ones ahead of it, so that stepping through a folder
// finds the next one ready. Holds only what was last asked for; a file changed
// since its decode is decoded anew by whoever takes it.
class CDecodeAhead
{
public:
    CDecodeAhead() = default;
    CDecodeAhead(const CDecodeAhead&) = delete;
    CDecodeAhead& operator=(const CDecodeAhead&) = delete;
    // Decodes not yet begun are skipped; those running finish unseen.
    ~CDecodeAhead();

    // At most this many pictures are held or on their way.
    static constexpr int kMaxPictures = 2;

    // Starts decoding the first kMaxPictures paths for the box, keeping what
    // is already held or on its way for them; everything else is dropped.
    void Request(const QStringList& arPaths, const QSize& szBox);
    struct SFileStamp;
    struct SDecoded;
    // The decode for the path and box: the one begun ahead, or one begun now.
    // Either way it is no longer held.
    QFuture<SDecoded> Take(const QString& strPath, const QSize& szBox);
    // Gives back a decode taken but no longer waited for, so that a later
    // Request or Take for the same picture and box finds it on its way.
    void Keep(const QString& strPath, const QSize& szBox, const QFuture<SDecoded>& future);
    // A finished decode's picture; null when it failed or the file changed since.
    static CPicturePtr PictureOf(const SDecoded& decoded, const QString& strPath);

    // What identifies a file's content without reading it.
    struct SFileStamp
    {
        quint64 nDevice = 0;
        quint64 nInode = 0;
        qint64 nSize = -1;
        qint64 nModifiedNs = 0;
        bool operator==(const SFileStamp& other) const;
    };
    // The stamp of the file now; nSize stays -1 when there is no such file.
    static SFileStamp Stamp(const QString& strPath);

    struct SDecoded
    {
        CPicturePtr pPicture;
        SFileStamp stamp;
    };

private:
    struct SEntry
    {
        QString strPath;
        QSize szBox;
        QFuture<SDecoded> future;
        std::shared_ptr<std::atomic_bool> pDropped;
    };

    static SDecoded Decode(const QString& strPath, const QSize& szBox,
                           const std::shared_ptr<std::atomic_bool>& pDropped);
    static void Drop(SEntry& entry);
    static SEntry Start(const QString& strPath, const QSize& szBox);

    std::vector<SEntry> m_arEntries;
};
