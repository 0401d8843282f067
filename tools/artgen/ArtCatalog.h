#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

// Every picture the tool makes, in the order made: where it is written, which component shows
// it, its format. Writes each file (only when its bytes change, so a re-run leaves an unchanged
// tree) and feeds the contact sheet and the README's table.
class ArtCatalog {
public:
    struct Entry {
        QString path;      // relative to resources/art/
        QString group;     // heading in the README and the contact sheet
        QString component; // who shows it, e.g. "TMainForm.Image9"
        QString place;     // where the component stands, "left, top" in its window's client area
        QString format;    // "JPEG", "BMP 24-bit", ...
        QImage image;      // as decoded from the written file
        qsizetype bytes = 0;
    };

    explicit ArtCatalog(const QString& artRoot);

    // Starts a group of pictures; their place is empty until set.
    void setGroup(const QString& group)
    {
        m_group = group;
        m_place.clear();
    }
    // The place the next pictures' component stands at, for the README ("" when it has none).
    void setPlace(const QString& place) { m_place = place; }
    static QString place(QPoint at) { return QStringLiteral("%1, %2").arg(at.x()).arg(at.y()); }
    void bmp24(const QString& path, const QString& component, const QImage& image);
    void bmp4(const QString& path, const QString& component, const QImage& image);
    void jpeg(const QString& path, const QString& component, const QImage& image);
    void png(const QString& path, const QString& component, const QImage& image);
    void ico4(const QString& path, const QString& component, const QImage& image);

    // From now on the pictures are the copies for high-density screens (drawn at Skin::scale()
    // 2): written as NAME@2x.EXT beside the picture they double, and listed apart.
    void setHighResolution(bool highResolution) { m_highResolution = highResolution; }
    // A sentence for the README on the high-density copies written.
    QString highResolutionSummary() const;

    const QList<Entry>& entries() const { return m_entries; }
    const Entry& entry(const QString& path) const;
    QString artRoot() const { return m_root; }
    int filesChanged() const { return m_changed; }

    // Writes a file outside the catalogue (sheets, mock-ups, the desktop icon), if changed.
    void writeFile(const QString& absolutePath, const QByteArray& data);

private:
    void add(const QString& path, const QString& component, const QString& format, const QByteArray& data);

    QString m_root;
    QString m_group;
    QString m_place;
    QList<Entry> m_entries;
    QList<Entry> m_highResolutionEntries;
    bool m_highResolution = false;
    int m_changed = 0;
};
