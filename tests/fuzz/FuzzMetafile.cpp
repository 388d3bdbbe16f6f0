// Feeds arbitrary bytes to the metafile player: Load, then Render what loads.
// Built as a libFuzzer target with clang, and as a CTest test that replays
// every input the fuzzer ever crashed on (the regressions folder).
#include "platform/picture/CMetafilePicture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

namespace {

void PlayOnce(const char* pData, std::size_t nSize)
{
    // Raw data: no copy, so a read past the input's end is the sanitizer's to see.
    const QByteArray data = QByteArray::fromRawData(pData, qsizetype(nSize));
    const CPicturePtr picture = CMetafilePicture::Load(data);
    if (!picture)
        return;
    // A size that the input picks, so that scales from thumbnail to window
    // size are tried, yet one input always plays the same.
    const int w = 48 + int(nSize * 7 % 400), h = 36 + int(nSize * 13 % 300);
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter painter(&img);
    const QSize sz = picture->GetHimetricSize();
    picture->Render(painter, QRect(0, 0, w, h), QRect(0, sz.height(), sz.width(), -sz.height()),
                    QRect(0, 0, w, h));
}

} // namespace

#ifdef ORVALA_FUZZ_REPLAY_DIR

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir dir(QStringLiteral(ORVALA_FUZZ_REPLAY_DIR));
    int nCount = 0;
    for (const QString& strName : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(strName));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = file.readAll();
        // An exact-size heap copy, so that an over-read leaves the allocation.
        std::unique_ptr<char[]> exact(new char[std::size_t(bytes.size())]);
        std::copy(bytes.cbegin(), bytes.cend(), exact.get());
        PlayOnce(exact.get(), std::size_t(bytes.size()));
        ++nCount;
    }
    std::printf("replayed %d metafile inputs\n", nCount);
    return 0;
}

#else

extern "C" int LLVMFuzzerInitialize(int* pArgc, char*** pArgv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*pArgc, *pArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    PlayOnce(reinterpret_cast<const char*>(pData), nSize);
    return 0;
}

#endif
