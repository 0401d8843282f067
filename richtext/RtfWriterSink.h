#pragma once

#include "richtext/RtfEmitter.h"
#include "richtext/RtfSink.h"

#include <QByteArray>
#include <QString>


class QIODevice;

// Writes RTF straight from what the reader reports: the same bytes RtfWriter writes for the
// document RtfDocumentSink builds from the same report, without building that document. A
// paragraph is held until it ends, since its format and its mark come last.
class RtfWriterSink : public RtfSink {
public:
    // defaultFace: the face of the document's default font, which RtfWriter writes for text that
    // names no face.
    explicit RtfWriterSink(QString defaultFace);

    // Room for this many bytes of RTF, so that a large document's is not copied as it grows.
    void reserve(qsizetype bytes) { m_emitter.body().reserve(bytes); }

    void defaultTab(int twips) override;
    void text(QStringView text, const RtfCharFormat& format) override;
    void endParagraph(const RtfParaFormat& format, const RtfCharFormat& mark) override;
    void finish(const RtfParaFormat& format, const RtfCharFormat& mark) override;

    // False when the text holds a character that a document takes as the end of a paragraph or
    // a frame: what was written then differs from what saving the document gives, and the file
    // is to be read into a document and written from there.
    bool complete() const { return m_complete; }
    // Header and body, once finish() was called; false when the device refuses a write.
    bool write(QIODevice& device);
    // Header and body as one.
    QByteArray takeRtf();

private:
    void writeParagraph(const RtfParaFormat& format, const RtfCharFormat& mark, bool last);

    RtfEmitter m_emitter;
    QByteArray m_header;
    bool m_complete = true;
    // The numbered list the last paragraph was in (0: none), and its count so far.
    RtfParaFormat::List m_listKind = RtfParaFormat::List::None;
    quintptr m_numbering = 0;
    int m_listCount = 0;
};
