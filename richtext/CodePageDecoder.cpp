#include "richtext/CodePageDecoder.h"

#include <cerrno>
#include <iconv.h>

struct CodePageDecoder::Handle {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    ~Handle()
    {
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
    }
};

namespace {
QByteArray iconvName(int codePage)
{
    switch (codePage) {
    case 10000:
        return "MACINTOSH";
    case 1361:
        return "JOHAB";
    case 20932:
        return "EUC-JP";
    case 65001:
        return "UTF-8";
    default:
        return "CP" + QByteArray::number(codePage);
    }
}

iconv_t openConverter(int codePage)
{
    return iconv_open("UTF-16LE", iconvName(codePage).constData());
}
} // namespace

CodePageDecoder::CodePageDecoder(int codePage) : m_codePage(codePage), m_handle(std::make_unique<Handle>())
{
    m_handle->cd = openConverter(codePage);
    if (m_handle->cd == reinterpret_cast<iconv_t>(-1)) {
        m_codePage = 1252;
        m_handle->cd = openConverter(1252);
    }
}

CodePageDecoder::~CodePageDecoder() = default;

void CodePageDecoder::decode(QByteArrayView bytes, QString& out)
{
    const char* in = bytes.data();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        // ASCII is the same in every code page we read, and it is most of any document.
        size_t ascii = 0;
        while (ascii < left && uchar(in[ascii]) < 0x80)
            ++ascii;
        if (ascii > 0 && m_codePage != 65001) {
            out.append(QLatin1StringView(in, qsizetype(ascii)));
            in += ascii;
            left -= ascii;
            if (left == 0)
                break;
        }
        const qsizetype start = out.size();
        out.resize(start + qsizetype(left) + 1);
        char* outPtr = reinterpret_cast<char*>(out.data() + start);
        size_t outLeft = (left + 1) * sizeof(char16_t);
        char* inPtr = const_cast<char*>(in);
        const size_t result = iconv(m_handle->cd, &inPtr, &left, &outPtr, &outLeft);
        const int error = result == size_t(-1) ? errno : 0;
        out.resize(start + qsizetype(reinterpret_cast<QChar*>(outPtr) - (out.data() + start)));
        in = inPtr;
        if (error == EILSEQ || error == EINVAL) {
            iconv(m_handle->cd, nullptr, nullptr, nullptr, nullptr);
            if (error == EINVAL) { // an incomplete character ends the bytes
                out.append(QChar::ReplacementCharacter);
                break;
            }
            out.append(QChar(uchar(*in)));
            ++in;
            --left;
        } else if (error != 0 && error != E2BIG) {
            break;
        }
    }
    // A code page that composes characters (1258) may hold the last one back until flushed.
    char16_t tail[4];
    char* tailPtr = reinterpret_cast<char*>(tail);
    size_t tailLeft = sizeof(tail);
    if (iconv(m_handle->cd, nullptr, nullptr, &tailPtr, &tailLeft) != size_t(-1))
        out.append(QStringView(tail, (reinterpret_cast<char16_t*>(tailPtr) - tail)));
}

int CodePageDecoder::codePageOfCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 2: // symbol fonts: their bytes are read as 1252
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

int CodePageDecoder::charsetOfCodePage(int codePage)
{
    for (int charset :
         {0, 77, 128, 129, 130, 134, 136, 161, 162, 163, 177, 178, 186, 204, 222, 238, 254, 255}) {
        if (codePageOfCharset(charset) == codePage)
            return charset;
    }
    return 1;
}
