#pragma once

#include <QObject>

class TCustomRichEdit;

// Paragraph attributes of the paragraphs a rich-text control's selection touches. The object
// keeps no values: a read answers for the first of them, a write changes exactly one property
// of each of them. Indents are whole points (the document holds twips, 20 per point): the
// first-line indent from the left edge of the text area, the left indent of the following
// lines relative to the first line, the right indent from the right edge.
class TParaAttributes : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(int Numbering READ numbering WRITE setNumbering)
    Q_PROPERTY(int FirstIndent READ firstIndent WRITE setFirstIndent)
    Q_PROPERTY(int LeftIndent READ leftIndent WRITE setLeftIndent)
    Q_PROPERTY(int RightIndent READ rightIndent WRITE setRightIndent)

public:
    // Alignment: a read may also answer Justify for a paragraph a document brought in.
    enum : int { LeftJustify = 0, RightJustify = 1, Center = 2, Justify = 3 };
    enum : int { NoNumbering = 0, Bullet = 1 };
    // Indents a write accepts: larger magnitudes are held at these bounds.
    static constexpr int MaxIndent = 1000000;

    explicit TParaAttributes(TCustomRichEdit* owner);

    int alignment() const;
    // 0 left, 1 right, 2 centre; other values change nothing. When the control reads right to
    // left, left and right are exchanged.
    void setAlignment(int alignment);
    int numbering() const;
    // Adjusts the left indent first (none: 0; bullet: at least 10 points), then sets the
    // numbering.
    void setNumbering(int numbering);
    int firstIndent() const;
    void setFirstIndent(int points);
    int leftIndent() const;
    void setLeftIndent(int points);
    int rightIndent() const;
    void setRightIndent(int points);

private:
    TCustomRichEdit* m_owner;
};
