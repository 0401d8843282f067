#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextFrameFormat>
#include <QTextListFormat>
#include <QVector>

#include <atomic>
#include <optional>

class QTextDocument;

// A copy of a document's paragraphs taken a slice at a time on the thread that owns the
// document, so that copying a large document never holds up typing for long, and written as RTF
// on another thread. Edits made while the copy is being taken are followed:
// the paragraphs from the edited position on are copied again.
class DocumentSnapshot {
public:
    // The source reports its changes only once it has a layout, which it is given here (a text
    // edit's document has one already).
    explicit DocumentSnapshot(const QTextDocument& source);

    // Copies paragraphs until the deadline has passed; true once the whole document is copied.
    bool copyMore(QDeadlineTimer deadline);
    // The source changed from position on (its contentsChange).
    void sourceChanged(int position);

    // The RTF that saving the document as copied gives once it has the default character format
    // defaults (DocumentDefaults.h), written without building a document; callable on any
    // thread, once: the copy gives back its text's memory as it is written. Nothing when
    // cancelled becomes true on the way.
    std::optional<QByteArray> toRtf(const QTextCharFormat& defaults, const std::atomic_bool& cancelled);

private:
    struct Fragment {
        QString text;
        QTextCharFormat format;
    };
    struct Paragraph {
        int position = 0;
        int length = 0; // with the paragraph's break
        QTextBlockFormat format;
        QTextCharFormat charFormat;
        int list = -1; // index into m_lists
        QVector<Fragment> fragments;
    };
    struct List {
        int objectIndex;
        QTextListFormat format;
    };

    int listIndex(int objectIndex, const QTextListFormat& format);

    const QTextDocument& m_source;
    QVector<Paragraph> m_paragraphs;
    // Paragraphs copied before an edit made them stale, freed by toRtf().
    QVector<Paragraph> m_dropped;
    QVector<List> m_lists;
    // The document's own settings (the default tab width among them), taken once complete.
    QTextFrameFormat m_rootFormat;
    int m_copiedTo = 0; // the source's positions before this one are copied
    bool m_complete = false;
};
