#include "platform/picture/CMetafileDib.h"

#include <uemf.h>

#include <QBuffer>
#include <QColor>
#include <QImageReader>
#include <array>
#include <cstdlib>

namespace {

struct SDibHeader
{
    qint32 nWidth = 0;
    qint32 nHeight = 0;
    bool bTopDown = false;
    int nBitCount = 0;
    quint32 nCompression = U_BI_RGB;
    std::array<quint32, 3> aMasks{};
    std::size_t nTableOffset = 0;
    int nTableEntries = 0;
    int nEntrySize = 4;

    std::size_t TableEnd() const { return nTableOffset + std::size_t(nTableEntries) * nEntrySize; }
};

bool ParseHeader(const CMetafileRecordReader& bmi, bool bPalIndices, SDibHeader& h)
{
    const quint32 nHeaderSize = bmi.U32(0);
    quint32 nClrUsed = 0;
    if (nHeaderSize == 12 && bmi.Has(0, 12)) {
        h.nWidth = bmi.U16(4);
        h.nHeight = bmi.U16(6);
        h.nBitCount = bmi.U16(10);
        h.nEntrySize = 3;
        h.nTableOffset = 12;
    } else if (nHeaderSize >= 40 && bmi.Has(0, nHeaderSize)) {
        h.nWidth = bmi.I32(4);
        const qint32 nHeight = bmi.I32(8);
        if (nHeight == INT32_MIN)
            return false;
        h.bTopDown = nHeight < 0;
        h.nHeight = std::abs(nHeight);
        h.nBitCount = bmi.U16(14);
        h.nCompression = bmi.U32(16);
        nClrUsed = bmi.U32(32);
        h.nTableOffset = nHeaderSize;
        if (h.nCompression == U_BI_BITFIELDS) {
            // Version 4 and 5 headers carry the masks; the plain one has them after it.
            const std::size_t nMaskOffset = 40;
            for (int i = 0; i < 3; ++i)
                h.aMasks[i] = bmi.U32(nMaskOffset + 4 * i);
            if (nHeaderSize == 40)
                h.nTableOffset += 12;
        }
    } else {
        return false;
    }
    if (h.nWidth <= 0 || h.nHeight <= 0 || h.nWidth > CMetafileDib::kMaxSide ||
        h.nHeight > CMetafileDib::kMaxSide ||
        qint64(h.nWidth) * h.nHeight > CMetafileDib::kMaxPixels)
        return false;
    if (bPalIndices)
        h.nEntrySize = 2;
    if (h.nBitCount == 1 || h.nBitCount == 4 || h.nBitCount == 8) {
        const int nMax = 1 << h.nBitCount;
        h.nTableEntries = (nClrUsed > 0 && nClrUsed < quint32(nMax)) ? int(nClrUsed) : nMax;
    } else if (h.nBitCount == 16 || h.nBitCount == 24 || h.nBitCount == 32) {
        // A colour table beside true-colour pixels only optimises palettes.
        h.nTableEntries = nClrUsed <= 256 ? int(nClrUsed) : 0;
    } else if (h.nCompression != U_BI_JPEG && h.nCompression != U_BI_PNG) {
        return false;
    }
    return true;
}

// One colour channel under a bit mask, scaled to 0..255.
struct SMaskChannel
{
    quint32 nMask = 0;
    int nShift = 0;
    quint32 nMax = 0;

    explicit SMaskChannel(quint32 nMaskIn = 0)
        : nMask(nMaskIn)
    {
        if (nMask == 0)
            return;
        nShift = __builtin_ctz(nMask);
        nMax = nMask >> nShift;
    }
    int Value(quint32 nPixel) const
    {
        if (nMax == 0)
            return 0;
        return int((quint64((nPixel & nMask) >> nShift) * 255 + nMax / 2) / nMax);
    }
};

// The embedded JPEG or PNG has its own size, which the bitmap header does not
// bound: it is checked before a pixel is allocated.
QImage DecodeCompressed(const CMetafileRecordReader& bits)
{
    QByteArray data = QByteArray::fromRawData(bits.Data(), qsizetype(bits.Size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize sz = reader.size();
    if (sz.width() <= 0 || sz.height() <= 0 || sz.width() > CMetafileDib::kMaxSide ||
        sz.height() > CMetafileDib::kMaxSide ||
        qint64(sz.width()) * sz.height() > CMetafileDib::kMaxPixels)
        return {};
    return reader.read();
}

// How the pixels of an uncompressed bitmap become colours.
struct SPixelFormat
{
    std::array<QRgb, 256> aTable{}; // up to 8 bits a pixel
    SMaskChannel red, green, blue;  // 16 bits, and 32 with masks
    bool bMasked32 = false;
};

SPixelFormat MakePixelFormat(const SDibHeader& h, const CMetafileRecordReader& bmi)
{
    SPixelFormat f;
    f.aTable.fill(qRgb(0, 0, 0));
    if (h.nBitCount <= 8 && h.nEntrySize == 2) {
        // Palette indices without the palette: a grey ramp keeps shapes visible.
        for (int i = 0; i < h.nTableEntries; ++i) {
            const int g = h.nBitCount == 1 ? i * 255 : bmi.U16(h.nTableOffset + 2 * i) & 0xFF;
            f.aTable[i] = qRgb(g, g, g);
        }
    } else if (h.nBitCount <= 8) {
        for (int i = 0; i < h.nTableEntries; ++i) {
            const std::size_t o = h.nTableOffset + std::size_t(i) * h.nEntrySize;
            f.aTable[i] = qRgb(bmi.U8(o + 2), bmi.U8(o + 1), bmi.U8(o));
        }
    }
    const bool b555 = h.nCompression == U_BI_RGB && h.nBitCount == 16;
    f.red = SMaskChannel(b555 ? 0x7C00 : h.aMasks[0]);
    f.green = SMaskChannel(b555 ? 0x03E0 : h.aMasks[1]);
    f.blue = SMaskChannel(b555 ? 0x001F : h.aMasks[2]);
    f.bMasked32 = h.nCompression == U_BI_BITFIELDS && h.nBitCount == 32;
    return f;
}

void DecodeRow(const SDibHeader& h, const SPixelFormat& f, const uchar* s, QRgb* d)
{
    switch (h.nBitCount) {
    case 1:
        for (int x = 0; x < h.nWidth; ++x)
            d[x] = f.aTable[(s[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    case 4:
        for (int x = 0; x < h.nWidth; ++x)
            d[x] = f.aTable[(s[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
        break;
    case 8:
        for (int x = 0; x < h.nWidth; ++x)
            d[x] = f.aTable[s[x]];
        break;
    case 16:
        for (int x = 0; x < h.nWidth; ++x) {
            const quint32 p = s[2 * x] | (s[2 * x + 1] << 8);
            d[x] = qRgb(f.red.Value(p), f.green.Value(p), f.blue.Value(p));
        }
        break;
    case 24:
        for (int x = 0; x < h.nWidth; ++x)
            d[x] = qRgb(s[3 * x + 2], s[3 * x + 1], s[3 * x]);
        break;
    case 32:
        for (int x = 0; x < h.nWidth; ++x) {
            const uchar* px = s + 4 * x;
            if (f.bMasked32) {
                const quint32 p = px[0] | (px[1] << 8) | (px[2] << 16) | (quint32(px[3]) << 24);
                d[x] = qRgb(f.red.Value(p), f.green.Value(p), f.blue.Value(p));
            } else {
                d[x] = qRgb(px[2], px[1], px[0]);
            }
        }
        break;
    }
}

QImage DecodePixels(const SDibHeader& h, const CMetafileRecordReader& bmi,
                    const CMetafileRecordReader& bits)
{
    if (h.nCompression == U_BI_JPEG || h.nCompression == U_BI_PNG)
        return DecodeCompressed(bits);
    if (h.nCompression != U_BI_RGB && h.nCompression != U_BI_BITFIELDS)
        return {};
    const std::size_t nStride = (std::size_t(h.nWidth) * h.nBitCount + 31) / 32 * 4;
    if (nStride * std::size_t(h.nHeight) > bits.Size())
        return {};
    const SPixelFormat format = MakePixelFormat(h, bmi);
    QImage img(h.nWidth, h.nHeight, QImage::Format_RGB32);
    if (img.isNull())
        return {};
    const auto* pBits = reinterpret_cast<const uchar*>(bits.Data());
    for (int nRow = 0; nRow < h.nHeight; ++nRow) {
        auto* d = reinterpret_cast<QRgb*>(img.scanLine(h.bTopDown ? nRow : h.nHeight - 1 - nRow));
        DecodeRow(h, format, pBits + std::size_t(nRow) * nStride, d);
    }
    return img;
}

} // namespace

QImage CMetafileDib::Decode(const CMetafileRecordReader& bmi, const CMetafileRecordReader& bits,
                            bool bPalIndices, bool* pBottomUp)
{
    SDibHeader h;
    if (!ParseHeader(bmi, bPalIndices, h))
        return {};
    if (pBottomUp)
        *pBottomUp = !h.bTopDown;
    return DecodePixels(h, bmi, bits);
}

QImage CMetafileDib::DecodePacked(const CMetafileRecordReader& dib, bool bPalIndices,
                                  bool* pBottomUp)
{
    SDibHeader h;
    if (!ParseHeader(dib, bPalIndices, h))
        return {};
    if (pBottomUp)
        *pBottomUp = !h.bTopDown;
    const std::size_t nBits = h.TableEnd();
    if (nBits > dib.Size())
        return {};
    return DecodePixels(h, dib, dib.Sub(nBits, dib.Size() - nBits));
}
