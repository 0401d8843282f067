#pragma once

#include <QMimeData>
#include <QTextCursor>

// What the control offers of a selection to other programs: RTF, HTML and plain text. The data is made
// only when a reader asks for it, for the selected range as it stands then (it follows edits
// before and in it), so that selecting, which offers the X11 primary selection at every change,
// costs nothing however much is selected. Copy, cut and drag freeze it at once: their data is
// the selection as it was.
class SelectionMimeData : public QMimeData {
    Q_OBJECT

public:
    explicit SelectionMimeData(const QTextCursor& selection);

    // The MIME type of RTF that this data offers and that pasting looks for first.
    static inline const QString RtfMime = QStringLiteral("text/rtf");

    // Makes the data of the selection as it is now and keeps it.
    void freeze();
    bool frozen() const { return m_frozen; }

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    // Makes rtf and text for the selection unless they are those of it already (html follows
    // when asked for).
    void makeData() const;

    QTextCursor m_selection;
    bool m_frozen = false;
    mutable QByteArray m_rtf;
    mutable QString m_html;
    mutable bool m_htmlMade = false; // m_html is that of m_rtf
    mutable QString m_text;
    mutable int m_madeStart = -1;
    mutable int m_madeEnd = -1;
    mutable int m_madeRevision = -1;
};
