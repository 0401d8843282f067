#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextFrameFormat>
#include <QTextListFormat>

#include <atomic>
#include <optional>

class QTextBlock;
class QTextDocument;

// A copy of a document's paragraphs taken a slice at a time on the thread that owns the
// document, so that copying a large document never holds up typing for long, and written as RTF
// on another thread. Edits made while the copy is being taken are followed:
// the paragraphs from the edited position on are copied again.
//
// The copy is held in a few large arrays (the text back to back, fixed-size records of the
// paragraphs and their runs, each distinct format once), not in a string and a format per run:
// a million short paragraphs take tens of megabytes instead of hundreds, and freeing the copy
// leaves no scattered heap behind.
//
// A copy of a selection (from and to positions) is taken at once: the paragraphs it touches,
// each with its formats, the first and the last with their selected text only.
class DocumentSnapshot {
public:
    // How toRtf writes text without properties of its own: as a save does (the defaults in the
    // header, every format resolved against them only when they hold more than a face and a
    // size), or every format resolved (for the clipboard: other programs know nothing of the
    // control's defaults).
    enum class Defaults { AsSaved, Resolved };

    // The source reports its changes only once it has a layout, which it is given here (a text
    // edit's document has one already).
    explicit DocumentSnapshot(const QTextDocument& source);
    DocumentSnapshot(const QTextDocument& source, int from, int to);

    // Copies paragraphs until the deadline has passed; true once the whole document is copied.
    bool copyMore(QDeadlineTimer deadline);
    // The source changed from position on (its contentsChange).
    void sourceChanged(int position);

    // The RTF that saving the document as copied gives once it has the default character format
    // defaults (DocumentDefaults.h), written without building a document; callable on any
    // thread. Nothing when cancelled becomes true on the way.
    std::optional<QByteArray> toRtf(const QTextCharFormat& defaults, const std::atomic_bool& cancelled,
                                    Defaults written = Defaults::AsSaved) const;

private:
    struct Paragraph {
        int position = 0;
        int length = 0;          // with the paragraph's break
        int blockFormat = 0;     // index into m_blockFormats
        int charFormat = 0;      // the paragraph mark's, index into m_charFormats
        int list = -1;           // index into m_lists
        int firstRun = 0;        // index into m_runs
        qsizetype textStart = 0; // where its runs' text starts in m_text
    };
    struct Run {
        int length;
        int format; // index into m_charFormats
    };

    // Each distinct format of the source is kept once, found by the source's own index for it.
    // The index is checked against the format itself, since a source that is cleared numbers its
    // formats anew.
    template <typename Format>
    static int intern(QList<Format>& formats, QHash<int, int>& bySourceIndex, int sourceIndex,
                      const Format& format);
    int listIndex(int objectIndex, const QTextListFormat& format);
    // Appends the block with those of its characters that lie from from to to.
    void append(const QTextBlock& block, int from, int to);

    const QTextDocument& m_source;
    QString m_text;
    QList<Paragraph> m_paragraphs;
    QList<Run> m_runs;
    QList<QTextCharFormat> m_charFormats;
    QList<QTextBlockFormat> m_blockFormats;
    QHash<int, int> m_charFormatOf;
    QHash<int, int> m_blockFormatOf;
    // The source's lists, found by their object index.
    QList<QTextListFormat> m_lists;
    QHash<int, int> m_listOf;
    // The document's own settings (the default tab width among them), taken once complete.
    QTextFrameFormat m_rootFormat;
    int m_copiedTo = 0; // the source's positions before this one are copied
    bool m_complete = false;
};
