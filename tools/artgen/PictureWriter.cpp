#include "PictureWriter.h"

#include <QBuffer>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

void put16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

int rowStride(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

// BITMAPINFOHEADER of a bottom-up, uncompressed bitmap at 96 pixels per inch.
void putInfoHeader(QByteArray& out, int width, int height, int bitsPerPixel, int colours, int imageBytes)
{
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height));
    put16(out, 1);
    put16(out, quint16(bitsPerPixel));
    put32(out, 0); // BI_RGB
    put32(out, quint32(imageBytes));
    put32(out, 3780);
    put32(out, 3780);
    put32(out, quint32(colours));
    put32(out, 0);
}

void putFileHeader(QByteArray& out, quint32 fileSize, quint32 pixelOffset)
{
    out.append("BM", 2);
    put32(out, fileSize);
    put32(out, 0);
    put32(out, pixelOffset);
}

void putPalette(QByteArray& out, const QList<QRgb>& palette, int entries)
{
    for (int i = 0; i < entries; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : 0;
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
}

// 4-bit pixel rows, bottom-up, each padded to four bytes.
QByteArray packedNibbles(const QImage& rgb, const QList<QRgb>& palette)
{
    const int stride = rowStride(rgb.width(), 4);
    QByteArray pixels(stride * rgb.height(), '\0');
    for (int y = 0; y < rgb.height(); ++y) {
        char* row = pixels.data() + (rgb.height() - 1 - y) * stride;
        for (int x = 0; x < rgb.width(); ++x) {
            const int index = PictureWriter::nearestIndex(rgb.pixel(x, y), palette);
            row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
    }
    return pixels;
}

} // namespace

const QList<QRgb>& PictureWriter::vgaPalette()
{
    static const QList<QRgb> palette = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    return palette;
}

int PictureWriter::nearestIndex(QRgb colour, const QList<QRgb>& palette)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(colour) - qRed(palette[i]);
        const int dg = qGreen(colour) - qGreen(palette[i]);
        const int db = qBlue(colour) - qBlue(palette[i]);
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

QByteArray PictureWriter::bmp24(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int stride = rowStride(rgb.width(), 24);
    const int imageBytes = stride * rgb.height();
    QByteArray out;
    putFileHeader(out, quint32(54 + imageBytes), 54);
    putInfoHeader(out, rgb.width(), rgb.height(), 24, 0, imageBytes);
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        QByteArray row(stride, '\0');
        for (int x = 0; x < rgb.width(); ++x) {
            row[3 * x] = char(qBlue(line[x]));
            row[3 * x + 1] = char(qGreen(line[x]));
            row[3 * x + 2] = char(qRed(line[x]));
        }
        out.append(row);
    }
    return out;
}

QByteArray PictureWriter::bmp4(const QImage& image, const QList<QRgb>& palette)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QByteArray pixels = packedNibbles(rgb, palette);
    const quint32 offset = 14 + 40 + 16 * 4;
    QByteArray out;
    putFileHeader(out, offset + quint32(pixels.size()), offset);
    putInfoHeader(out, rgb.width(), rgb.height(), 4, 16, int(pixels.size()));
    putPalette(out, palette, 16);
    out.append(pixels);
    return out;
}

QByteArray PictureWriter::jpeg(const QImage& image, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    // libjpeg's errors here are programming errors (bad parameters); stop the tool.
    errors.error_exit = [](j_common_ptr) {
        std::fputs("lumaro_artgen: libjpeg failed to encode a picture\n", stderr);
        std::exit(1);
    };
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    free(buffer);
    return out;
}

QByteArray PictureWriter::png(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

QByteArray PictureWriter::ico4(const QImage& image, const QList<QRgb>& palette)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    const int height = argb.height();
    // Transparent pixels are black in the colour part and set in the AND mask.
    QImage colours = argb.convertToFormat(QImage::Format_RGB32);
    const int maskStride = rowStride(width, 1);
    QByteArray mask(maskStride * height, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (qAlpha(argb.pixel(x, y)) < 128) {
                colours.setPixel(x, y, qRgb(0, 0, 0));
                mask[(height - 1 - y) * maskStride + x / 8] =
                    char(mask[(height - 1 - y) * maskStride + x / 8] | (0x80 >> (x % 8)));
            }
        }
    }
    const QByteArray pixels = packedNibbles(colours, palette);
    QByteArray bitmap;
    putInfoHeader(bitmap, width, 2 * height, 4, 16, int(pixels.size() + mask.size()));
    putPalette(bitmap, palette, 16);
    bitmap.append(pixels);
    bitmap.append(mask);

    QByteArray out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, 1); // one image
    out.append(char(width >= 256 ? 0 : width));
    out.append(char(height >= 256 ? 0 : height));
    out.append(char(16));
    out.append(char(0));
    put16(out, 1);
    put16(out, 4);
    put32(out, quint32(bitmap.size()));
    put32(out, 22);
    out.append(bitmap);
    return out;
}
