#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// One contact sheet: a title, then sections of pictures, each picture with its caption below
// it, laid out in rows left to right. A picture marked as faulty gets a red frame and its
// fault under its caption, so that it stands out at a glance.
class ReviewSheet {
public:
    explicit ReviewSheet(const QString& title);

    void beginSection(const QString& heading);
    void add(const QImage& picture, const QString& caption, const QStringList& faults = {});
    // Lines of text shown as a picture of their own (the texts of a window, for instance).
    void addText(const QStringList& lines, const QString& caption);

    int faultCount() const { return m_faults; }
    QImage render() const;

private:
    struct Tile {
        QImage picture;
        QString caption;
        QStringList faults;
    };
    struct Section {
        QString heading;
        QList<Tile> tiles;
    };

    QString m_title;
    QList<Section> m_sections;
    int m_faults = 0;
};
