// Feeds arbitrary bytes to the picture loader (BMP and JPEG files of layouts): a damaged or
// hostile picture must be refused with AppError, never crash, and never decode into more pixels
// than the loader allows. The decoders behind the loader's own checks are Qt's and libjpeg's,
// which the fuzzer cannot see into: inputs whose first byte is odd are first made to pass those
// checks (a BMP's size field set to its length, a JPEG ended with its end marker), so that
// mutations of every length reach the decoders; and what the decoders made of an input (its
// pixel format, its size, why it was refused) is shown to the fuzzer as coverage of its own, so
// that inputs the decoders treat differently are kept.
#include "framework/AppError.h"
#include "framework/TPicture.h"

#include <QGuiApplication>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>

namespace {
volatile int g_seen;

// One edge of its own for each of 16 buckets.
void see(unsigned bucket)
{
    switch (bucket % 16) {
    case 0: g_seen = 0; break;
    case 1: g_seen = 1; break;
    case 2: g_seen = 2; break;
    case 3: g_seen = 3; break;
    case 4: g_seen = 4; break;
    case 5: g_seen = 5; break;
    case 6: g_seen = 6; break;
    case 7: g_seen = 7; break;
    case 8: g_seen = 8; break;
    case 9: g_seen = 9; break;
    case 10: g_seen = 10; break;
    case 11: g_seen = 11; break;
    case 12: g_seen = 12; break;
    case 13: g_seen = 13; break;
    case 14: g_seen = 14; break;
    default: g_seen = 15; break;
    }
}

unsigned log2Bucket(int value)
{
    unsigned bucket = 0;
    while (value > 1 && bucket < 15) {
        value >>= 1;
        ++bucket;
    }
    return bucket;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    if (data[0] & 1) {
        if (bytes.startsWith("BM") && bytes.size() >= 6)
            qToLittleEndian<quint32>(quint32(bytes.size()), bytes.data() + 2);
        else if (bytes.startsWith("\xFF\xD8\xFF") && !bytes.endsWith("\xFF\xD9"))
            bytes.append("\xFF\xD9");
    }
    try {
        const TPicture picture = TPicture::fromFileData(bytes);
        if (picture.isEmpty() || qint64(picture.width()) * picture.height() > 16384LL * 16384LL)
            std::abort();
        see(unsigned(picture.image().format()));
        see(log2Bucket(picture.width()));
        see(log2Bucket(picture.height()));
    } catch (const AppError& error) {
        see(unsigned(qHash(error.message())));
    }
    return 0;
}
