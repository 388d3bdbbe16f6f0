#include "browse/CDecodeAhead.h"

#include "browse/BrowseLog.h"
#include "platform/picture/PictureDecoder.h"

#include <QFile>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <sys/stat.h>

bool CDecodeAhead::SFileStamp::operator==(const SFileStamp& other) const
{
    return nDevice == other.nDevice && nInode == other.nInode && nSize == other.nSize &&
           nModifiedNs == other.nModifiedNs;
}

CDecodeAhead::SFileStamp CDecodeAhead::Stamp(const QString& strPath)
{
    SFileStamp stamp;
    struct stat st;
    if (::stat(QFile::encodeName(strPath).constData(), &st) != 0)
        return stamp;
    stamp.nDevice = quint64(st.st_dev);
    stamp.nInode = quint64(st.st_ino);
    stamp.nSize = qint64(st.st_size);
    // Nanoseconds: two writes within one second must still differ.
    stamp.nModifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

CDecodeAhead::~CDecodeAhead()
{
    for (SEntry& entry : m_arEntries)
        Drop(entry);
}

CDecodeAhead::SDecoded CDecodeAhead::Decode(const QString& strPath, const QSize& szBox,
                                            const std::shared_ptr<std::atomic_bool>& pDropped)
{
    SDecoded decoded;
    if (*pDropped)
        return decoded;
    decoded.stamp = Stamp(strPath);
    if (decoded.stamp.nSize < 0)
        return decoded;
    decoded.pPicture = DecodePicture(strPath, szBox);
    // Written to while it was read: neither version can be trusted.
    if (!(Stamp(strPath) == decoded.stamp))
        decoded.pPicture.reset();
    return decoded;
}

void CDecodeAhead::Drop(SEntry& entry)
{
    *entry.pDropped = true;
}

void CDecodeAhead::Request(const QStringList& arPaths, const QSize& szBox)
{
    std::vector<SEntry> arKept;
    for (const QString& strPath : arPaths.mid(0, kMaxPictures)) {
        auto it = std::find_if(m_arEntries.begin(), m_arEntries.end(), [&](const SEntry& entry) {
            return entry.strPath == strPath && entry.szBox == szBox;
        });
        if (it != m_arEntries.end()) {
            arKept.push_back(std::move(*it));
            m_arEntries.erase(it);
            continue;
        }
        arKept.push_back(Start(strPath, szBox));
    }
    for (SEntry& entry : m_arEntries)
        Drop(entry);
    m_arEntries = std::move(arKept);
}

CDecodeAhead::SEntry CDecodeAhead::Start(const QString& strPath, const QSize& szBox)
{
    SEntry entry{strPath, szBox, {}, std::make_shared<std::atomic_bool>(false)};
    entry.future = QtConcurrent::run(Decode, strPath, szBox, entry.pDropped);
    return entry;
}

QFuture<CDecodeAhead::SDecoded> CDecodeAhead::Take(const QString& strPath, const QSize& szBox)
{
    auto it = std::find_if(m_arEntries.begin(), m_arEntries.end(), [&](const SEntry& entry) {
        return entry.strPath == strPath && entry.szBox == szBox;
    });
    if (it == m_arEntries.end())
        return Start(strPath, szBox).future;
    // Begun earlier, so never later than a decode begun now.
    QFuture<SDecoded> future = it->future;
    m_arEntries.erase(it);
    return future;
}

void CDecodeAhead::Keep(const QString& strPath, const QSize& szBox, const QFuture<SDecoded>& future)
{
    m_arEntries.push_back({strPath, szBox, future, std::make_shared<std::atomic_bool>(false)});
}

CPicturePtr CDecodeAhead::PictureOf(const SDecoded& decoded, const QString& strPath)
{
    if (!decoded.pPicture)
        return nullptr;
    if (!(Stamp(strPath) == decoded.stamp)) {
        qCDebug(lcBrowse) << "changed since decoded ahead:" << strPath;
        return nullptr;
    }
    return decoded.pPicture;
}
