#pragma once

#include <QtEndian>
#include <cstddef>
#include <cstdint>
#include <cstring>

// A view of a span of a metafile's bytes whose every read is checked against
// the span: a read past the end gives zero, so a damaged record can draw
// nonsense but never read outside the file.
class CMetafileRecordReader
{
public:
    CMetafileRecordReader() = default;
    CMetafileRecordReader(const char* pData, std::size_t nSize)
        : m_pData(pData)
        , m_nSize(pData ? nSize : 0)
    {
    }

    std::size_t Size() const { return m_nSize; }
    const char* Data() const { return m_pData; }

    bool Has(std::size_t nOffset, std::size_t nLength) const
    {
        return nOffset <= m_nSize && nLength <= m_nSize - nOffset;
    }

    // The sub-span [nOffset, nOffset + nLength), or an empty reader when it
    // does not lie within this one.
    CMetafileRecordReader Sub(std::size_t nOffset, std::size_t nLength) const
    {
        if (!Has(nOffset, nLength))
            return {};
        return {m_pData + nOffset, nLength};
    }

    uint8_t U8(std::size_t nOffset) const
    {
        return Has(nOffset, 1) ? static_cast<uint8_t>(m_pData[nOffset]) : 0;
    }
    uint16_t U16(std::size_t nOffset) const { return Read<uint16_t>(nOffset); }
    int16_t I16(std::size_t nOffset) const { return Read<int16_t>(nOffset); }
    uint32_t U32(std::size_t nOffset) const { return Read<uint32_t>(nOffset); }
    int32_t I32(std::size_t nOffset) const { return Read<int32_t>(nOffset); }
    float F32(std::size_t nOffset) const
    {
        const uint32_t nBits = U32(nOffset);
        float f;
        std::memcpy(&f, &nBits, sizeof f);
        return f;
    }

private:
    template <typename T> T Read(std::size_t nOffset) const
    {
        if (!Has(nOffset, sizeof(T)))
            return 0;
        return qFromLittleEndian<T>(m_pData + nOffset);
    }

    const char* m_pData = nullptr;
    std::size_t m_nSize = 0;
};
