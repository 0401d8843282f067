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
    // The name of the picture file's copy for high-density screens: "a/b@2x.bmp" for "a/b.bmp".
    static QString doubleFileName(const QString& fileName);

    // Adds the picture's copy at twice the resolution from its file: of the same format and
    // exactly twice as wide and high, or AppError says what is wrong. It is decoded when first
    // drawn.
    void setDoubleFileData(const QByteArray& data);
    bool hasDouble() const { return !m_doubleData.isEmpty(); }
    // What to draw on a device of that pixel ratio: the double (of device pixel ratio 2) from
    // 1.5 on, when there is one, else the picture itself.
    const QImage& imageFor(qreal devicePixelRatio) const;

    bool isEmpty() const { return m_image.isNull(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    const QImage& image() const { return m_image; }
    Format format() const { return m_format; }
    const QByteArray& fileData() const { return m_data; }

private:
    QImage m_image;
    mutable QByteArray m_doubleData;
    mutable QImage m_double;
    QByteArray m_data;
    Format m_format = Format::None;
};

Q_DECLARE_METATYPE(TPicture)
