#pragma once

#include "fontpickers/FontEnumerator.h"

// Fonts given as lists, one per device, for tests and for machines whose faces must not
// matter: faces() reports a device's list as given (duplicates included), familyFonts() the
// entries of that name. Without a printer every printer query throws AppError, as it does on
// a machine without one.
class ListFontEnumerator : public FontEnumerator {
public:
    ListFontEnumerator() = default;
    ListFontEnumerator(QList<FontFace> screenFaces, QList<FontFace> printerFaces = {});

    void setFaces(Device device, QList<FontFace> faces);
    void setPixelsPerInch(Device device, int pixelsPerInch);
    void setPrinterInstalled(bool installed) { m_printerInstalled = installed; }
    // How often a device was asked for its faces or a family, so tests can see who asked.
    int queries(Device device) const { return m_queries[index(device)]; }

    QList<FontFace> faces(Device device) const override;
    QList<FontFace> familyFonts(Device device, const QString& family) const override;
    int pixelsPerInch(Device device) const override;

private:
    static int index(Device device) { return device == Device::Screen ? 0 : 1; }
    void require(Device device) const;

    QList<FontFace> m_faces[2];
    int m_pixelsPerInch[2] = {96, 96};
    bool m_printerInstalled = true;
    mutable int m_queries[2] = {0, 0};
};
