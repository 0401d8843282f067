#pragma once

#include <QByteArray>
#include <QImage>
#include <QMetaType>

// A picture of a window layout: a complete BMP or JPEG file and its decoded image. Pictures
// are values; assigning one copies it.
class TPicture {
public:
    enum class Format { None, Bitmap, Jpeg };

    TPicture() = default;
    // Checks and decodes a picture file; throws AppError saying what is wrong with a damaged
    // or unknown one. A BMP's own file-size field must equal the data's length.
    static TPicture fromFileData(const QByteArray& data);
    // A bitmap picture of an image (for pictures made in code).
    static TPicture fromImage(const QImage& image);

    bool isEmpty() const { return m_image.isNull(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    const QImage& image() const { return m_image; }
    Format format() const { return m_format; }
    const QByteArray& fileData() const { return m_data; }

private:
    QImage m_image;
    QByteArray m_data;
    Format m_format = Format::None;
};

Q_DECLARE_METATYPE(TPicture)
