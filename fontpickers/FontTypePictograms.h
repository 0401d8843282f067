#pragma once

#include <QImage>

// The font-type pictograms of the font-name list, cut from one strip: the TrueType pictogram is
// its left half, the printer pictogram the columns after the middle one. The strip's colour at
// its bottom-left pixel is transparent. An empty strip has no pictograms.
class FontTypePictograms {
public:
    FontTypePictograms() = default;
    explicit FontTypePictograms(const QImage& strip);
    // The program's strip; empty when the resources lack it or it is damaged.
    static FontTypePictograms fromResources();
    static const char* const ResourcePath;

    bool isEmpty() const { return m_trueType.isNull(); }
    // Half the strip's width: the TrueType pictogram's width. 14 without a strip, so that the
    // names keep their place.
    int half() const { return m_half; }
    const QImage& trueType() const { return m_trueType; }
    const QImage& device() const { return m_device; }

private:
    int m_half = 14;
    QImage m_trueType;
    QImage m_device;
};
