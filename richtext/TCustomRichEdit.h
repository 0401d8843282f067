#pragma once

#include "framework/TFont.h"

#include <QMargins>
#include <QRect>
#include <QTextEdit>
#include <functional>

class TParaAttributes;
class TRichEditStrings;
class TTextAttributes;
class QMimeData;
class QTextBlock;
class QTextBlockFormat;
class QTextCharFormat;

// The rich-text control: one document with its selection, undo and clipboard transfers, its
// character and paragraph attribute objects, file loading and saving through Lines(), and the
// change and selection-change notifications. Layouts create it as "TRichEdit".
//
// The document holds every paragraph break as one character, so selection positions, the text
// length and the display lines count one per break.
//
// The default attributes are the document's default format (DocumentDefaults): text typed into
// an empty document and plain text as loaded carry no attributes of their own and show in it,
// so a later change of the default attributes (or of the control's font) changes that text
// too, while text with attributes of its own (formatted text, rich text as loaded) keeps them.
// Writing the default attributes is no edit: it neither marks the document modified nor enters
// the undo history. The modified flag is the document's: every edit sets it, and undoing back
// to the state last marked unmodified clears it again.
class TCustomRichEdit : public QTextEdit {
    Q_OBJECT
    Q_PROPERTY(TFont* Font READ font)
    Q_PROPERTY(TScrollStyle ScrollBars READ scrollBars WRITE setScrollBars)
    Q_PROPERTY(bool ReadOnly READ readOnly WRITE setReadOnly)
    Q_PROPERTY(bool PlainText READ plainText WRITE setPlainText)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(bool HideSelection READ hideSelection WRITE setHideSelection)
    Q_PROPERTY(bool Modified READ modified WRITE setModified)

public:
    enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
    Q_ENUM(TScrollStyle)

    using BlockChange = std::function<void(QTextBlockFormat&)>;

    explicit TCustomRichEdit(QWidget* parent = nullptr);
    ~TCustomRichEdit() override;

    TTextAttributes* selectionAttributes() const { return m_selectionAttributes; }
    TTextAttributes* defaultAttributes() const { return m_defaultAttributes; }
    TParaAttributes* paragraphAttributes() const { return m_paragraphAttributes; }
    TRichEditStrings* lines() const { return m_lines; }

    // The control's own font: every change copies the whole font into the default attributes.
    TFont* font() const { return m_font; }

    TScrollStyle scrollBars() const { return m_scrollBars; }
    void setScrollBars(TScrollStyle scrollBars);
    bool readOnly() const { return isReadOnly(); }
    // Read-only text can still be selected and copied, and code can still format it.
    void setReadOnly(bool readOnly);
    // Kept for layouts; documents are always read as rich text first and written as rich text.
    bool plainText() const { return m_plainText; }
    void setPlainText(bool plainText) { m_plainText = plainText; }
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wordWrap);
    // Whether the selection is hidden while the control does not have the focus.
    bool hideSelection() const { return m_hideSelection; }
    void setHideSelection(bool hide);

    bool modified() const;
    void setModified(bool modified);

    int selStart() const;
    // Places the caret at start (no selection).
    void setSelStart(int start);
    int selLength() const;
    // Selects length characters from the selection start.
    void setSelLength(int length);
    // Characters in the document, one for each paragraph break.
    int textLength() const;

    // Empties the document and its undo history, and clears the modified flag.
    void Clear();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    // Deletes the selection without touching the clipboard.
    void ClearSelection();
    void SelectAll();
    void Undo();
    bool CanUndo() const;
    bool CanPaste() const;

    // The zero-based display line holding character index (a wrapped paragraph is several
    // lines); an index past the end counts as the end.
    int lineFromChar(int index) const;
    // The index of the first character of display line line; -1 when there is no such line;
    // a negative line stands for the line holding the selection start.
    int lineIndex(int line) const;
    // The text area in client pixels (the client area less the scroll bars).
    void setFormatRect(const QRect& rect);
    QRect formatRect() const;
    QSize clientSize() const;

    // For the attribute objects: the formats the selection and new text show with, and
    // writes of one property each.
    QTextCharFormat selectionCharFormat() const;
    QTextCharFormat defaultCharFormat() const;
    void changeSelectionCharFormat(const QTextCharFormat& set, int removedProperty = -1);
    void changeDefaultCharFormat(const QTextCharFormat& set, int removedProperty = -1);
    QTextBlockFormat paragraphFormat() const;
    bool paragraphBulleted() const;
    void changeParagraphFormats(const BlockChange& change);
    void setParagraphsBulleted(bool bulleted);

    // Swaps in a document that was built elsewhere (a load): the old one goes, with its undo
    // history; the new one keeps the default character format and is not modified.
    void replaceDocument(QTextDocument* document);

    // Dots per inch the document is laid out at.
    double layoutDpi() const;

Q_SIGNALS:
    void OnChange(QObject* Sender);
    void OnSelectionChange(QObject* Sender);

protected:
    // The selection's data is made when it is read (SelectionMimeData), except for a drag, whose
    // data is the selection as it was (and the clipboard's, frozen as it is set).
    QMimeData* createMimeDataFromSelection() const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void prepareDocument(QTextDocument& document) const;
    void fontChanged();
    void documentChanged();
    void selectionMoved();
    void applyDefaultColor();
    // Draws the text as Qt does but without the selection (hidden while unfocused).
    void paintWithoutSelection(const QRect& exposed);
    // Connects the view to its document's layout (LazyDocumentLayout).
    void followLayout();
    void followShift(qreal delta);
    // The user is at work: measuring waits, and the view follows what it moved so far.
    void holdLayout();
    // Tells the layout where the view is and how high it is.
    void showLayoutTheView();
    // Lays out the paragraph that holds index, and every paragraph before it while the document is
    // small enough to do so at once (a large one's counts before it are exact once measured in
    // idle time, estimated until then); returns the paragraph.
    QTextBlock countedBlock(int index) const;

    TFont* m_font;
    TTextAttributes* m_selectionAttributes;
    TTextAttributes* m_defaultAttributes;
    TParaAttributes* m_paragraphAttributes;
    TRichEditStrings* m_lines;
    TScrollStyle m_scrollBars = ssBoth;
    bool m_plainText = false;
    bool m_wordWrap = true;
    bool m_hideSelection = true;
    QMargins m_formatMargins;
    int m_reportedStart = 0;
    int m_reportedEnd = 0;
    // A press in the selection may start a drag.
    bool m_mayDrag = false;
    qreal m_unscrolledShift = 0;
};
