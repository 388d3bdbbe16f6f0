#include "platform/picture/HeifDecoder.h"

#include "platform/picture/PictureDecoder.h"
#include "platform/picture/PictureLog.h"

#include <QtEndian>

#include <libheif/heif.h>

#include <memory>
#include <vector>

namespace {

struct SContextDeleter
{
    void operator()(heif_context* p) const { heif_context_free(p); }
};
struct SHandleDeleter
{
    void operator()(heif_image_handle* p) const { heif_image_handle_release(p); }
};
using ContextPtr = std::unique_ptr<heif_context, SContextDeleter>;
using HandlePtr = std::unique_ptr<heif_image_handle, SHandleDeleter>;

// The file's primary image; the data must outlive the context, which reads it in place.
HandlePtr PrimaryImage(const QByteArray& data, ContextPtr& pContext)
{
    pContext.reset(heif_context_alloc());
    if (!pContext)
        return nullptr;
    heif_error error = heif_context_read_from_memory_without_copy(pContext.get(), data.constData(),
                                                                  size_t(data.size()), nullptr);
    if (error.code != heif_error_Ok) {
        qCDebug(lcPicture) << "cannot read HEIF:" << error.message;
        return nullptr;
    }
    heif_image_handle* pHandle = nullptr;
    error = heif_context_get_primary_image_handle(pContext.get(), &pHandle);
    if (error.code != heif_error_Ok) {
        qCDebug(lcPicture) << "HEIF without a primary image:" << error.message;
        return nullptr;
    }
    return HandlePtr(pHandle);
}

// Whether the image is at least as large as the picture scaled into the box.
bool Covers(const heif_image_handle* pHandle, const QSize& szBox, const QSize& szNatural)
{
    const QSize szNeeded = DecodedSize(szNatural, szBox, EDecodeFit::Within);
    return heif_image_handle_get_width(pHandle) >= szNeeded.width() &&
           heif_image_handle_get_height(pHandle) >= szNeeded.height();
}

// The smallest thumbnail that covers the box; null when none does.
HandlePtr CoveringThumbnail(heif_image_handle* pPrimary, const QSize& szBox, const QSize& szNatural)
{
    const int nCount = heif_image_handle_get_number_of_thumbnails(pPrimary);
    if (nCount <= 0)
        return nullptr;
    std::vector<heif_item_id> arIds(static_cast<size_t>(nCount));
    heif_image_handle_get_list_of_thumbnail_IDs(pPrimary, arIds.data(), nCount);
    HandlePtr pBest;
    for (const heif_item_id id : arIds) {
        heif_image_handle* pThumb = nullptr;
        if (heif_image_handle_get_thumbnail(pPrimary, id, &pThumb).code != heif_error_Ok)
            continue;
        HandlePtr pCandidate(pThumb);
        if (!Covers(pThumb, szBox, szNatural))
            continue;
        if (!pBest ||
            heif_image_handle_get_width(pThumb) < heif_image_handle_get_width(pBest.get()))
            pBest = std::move(pCandidate);
    }
    return pBest;
}

QImage DecodeHandle(heif_image_handle* pHandle)
{
    const bool bAlpha = heif_image_handle_has_alpha_channel(pHandle);
    heif_image* pImage = nullptr;
    const heif_error error = heif_decode_image(
        pHandle, &pImage, heif_colorspace_RGB,
        bAlpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr);
    if (error.code != heif_error_Ok || !pImage) {
        qCDebug(lcPicture) << "cannot decode HEIF:" << error.message;
        return QImage();
    }
    int nStride = 0;
    const uint8_t* pPixels =
        heif_image_get_plane_readonly(pImage, heif_channel_interleaved, &nStride);
    const int nWidth = heif_image_get_width(pImage, heif_channel_interleaved);
    const int nHeight = heif_image_get_height(pImage, heif_channel_interleaved);
    if (!pPixels || nWidth <= 0 || nHeight <= 0) {
        heif_image_release(pImage);
        return QImage();
    }
    // The image keeps libheif's pixels rather than copying a camera-sized buffer.
    return QImage(
        pPixels, nWidth, nHeight, nStride, bAlpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888,
        [](void* p) { heif_image_release(static_cast<heif_image*>(p)); }, pImage);
}

} // namespace

bool IsHeif(const QByteArray& head)
{
    if (head.size() < 12 || head.mid(4, 4) != "ftyp")
        return false;
    const heif_filetype_result result = heif_check_filetype(
        reinterpret_cast<const uint8_t*>(head.constData()), int(qMin<qsizetype>(head.size(), 64)));
    return result == heif_filetype_yes_supported;
}

bool CanReadHeif(const QByteArray& data)
{
    ContextPtr pContext;
    return PrimaryImage(data, pContext) != nullptr;
}

QImage DecodeHeif(const QByteArray& data, const QSize& szBox, QSize* pNatural)
{
    ContextPtr pContext;
    const HandlePtr pPrimary = PrimaryImage(data, pContext);
    if (!pPrimary)
        return QImage();
    // The handle's sizes are those after the file's rotation and crop.
    const QSize szNatural(heif_image_handle_get_width(pPrimary.get()),
                          heif_image_handle_get_height(pPrimary.get()));
    if (szNatural.isEmpty() || qint64(szNatural.width()) * szNatural.height() > kMaxDecodedPixels) {
        qCDebug(lcPicture) << "HEIF refused: no size or too large" << szNatural;
        return QImage();
    }
    if (pNatural)
        *pNatural = szNatural;
    if (szBox.isValid() && !szBox.isEmpty()) {
        if (const HandlePtr pThumb = CoveringThumbnail(pPrimary.get(), szBox, szNatural)) {
            const QImage thumbnail = DecodeHandle(pThumb.get());
            if (!thumbnail.isNull())
                return thumbnail;
        }
    }
    return DecodeHandle(pPrimary.get());
}

QByteArray HeifExif(const QByteArray& data)
{
    ContextPtr pContext;
    const HandlePtr pPrimary = PrimaryImage(data, pContext);
    if (!pPrimary)
        return QByteArray();
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(pPrimary.get(), "Exif", &id, 1) < 1)
        return QByteArray();
    const size_t nSize = heif_image_handle_get_metadata_size(pPrimary.get(), id);
    if (nSize < 4 || nSize > size_t(16) * 1024 * 1024)
        return QByteArray();
    QByteArray block(qsizetype(nSize), Qt::Uninitialized);
    if (heif_image_handle_get_metadata(pPrimary.get(), id, block.data()).code != heif_error_Ok)
        return QByteArray();
    // The block opens with the offset from its fifth byte to the TIFF header,
    // which may follow an "Exif\0\0" of its own.
    const quint32 nOffset = qFromBigEndian<quint32>(block.constData());
    if (nOffset > quint32(block.size() - 4))
        return QByteArray();
    return QByteArrayLiteral("Exif\0\0") + block.mid(4 + qsizetype(nOffset));
}
