#pragma once

#include "fontpickers/FontTypePictograms.h"
#include "fontpickers/TPickerComboBox.h"

#include <functional>

class FontNameItemDelegate;
class QLabel;

// The font-name picker: a drop-down list of the face names of the installed fonts, which it
// fills by itself (Loaded, a change of Options, a change of the desktop's fonts). Each entry
// is a face name tagged with its font-type bits (FontFace::Type); the list is sorted without
// regard to case. Its text is the selected entry's name, empty when none is selected.
class TFontNameComboBox : public TPickerComboBox {
    Q_OBJECT
    Q_PROPERTY(TFontNameOptions Options READ options WRITE setOptions)
    Q_PROPERTY(QString ExampleText READ exampleText WRITE setExampleText)
    Q_PROPERTY(int ExampleFontSize READ exampleFontSize WRITE setExampleFontSize)
    Q_PROPERTY(bool ShowExample READ showExample WRITE setShowExample)
    Q_PROPERTY(TFontExampleAlign ExampleAlign READ exampleAlign WRITE setExampleAlign)
    Q_PROPERTY(bool FastMode READ fastMode WRITE setFastMode)

public:
    enum TFontNameOption {
        foPrinterFonts = 1,   // list the current printer's faces as well
        foScreenFonts = 2,    // list the screen's faces
        foTrueTypeOnly = 4,   // keep TrueType faces only
        foDisplayFont = 8,    // draw each name in its own face
        foDisplaySymbol = 16, // draw the font-type pictogram in front of each name
    };
    Q_DECLARE_FLAGS(TFontNameOptions, TFontNameOption)
    Q_FLAG(TFontNameOptions)
    enum TFontExampleAlign { eaComboBox, eaDropDownList };
    Q_ENUM(TFontExampleAlign)

    explicit TFontNameComboBox(QWidget* parent = nullptr);

    TFontNameOptions options() const { return m_options; }
    void setOptions(TFontNameOptions options);
    QString exampleText() const { return m_exampleText; }
    void setExampleText(const QString& text) { m_exampleText = text; }
    int exampleFontSize() const { return m_exampleFontSize; }
    void setExampleFontSize(int points) { m_exampleFontSize = points; }
    // While the list is open, a preview of the highlighted face shows ExampleText beside the box
    // (eaComboBox) or below the list's right edge (eaDropDownList).
    bool showExample() const { return m_showExample; }
    void setShowExample(bool show) { m_showExample = show; }
    TFontExampleAlign exampleAlign() const { return m_exampleAlign; }
    void setExampleAlign(TFontExampleAlign align) { m_exampleAlign = align; }
    // Fills the list with the screen's face names untagged, and tells TrueType faces apart only
    // when an entry is first drawn.
    bool fastMode() const { return m_fastMode; }
    void setFastMode(bool fast);

    // The after-load step: fills the list.
    Q_INVOKABLE void Loaded();
    // Fills the list from the font enumeration (the screen's faces with foScreenFonts, then the
    // printer's with foPrinterFonts, whose failures are ignored): each face once whatever its
    // case, TrueType faces only with foTrueTypeOnly. Nothing is selected afterwards.
    void RebuildFontList();
    // Selects the first entry of that name (ASCII case ignored), or none; then the change
    // notification. Nothing happens when the text is already exactly that name.
    void SelectFontName(const QString& name);

    // Inserts a name at its sorted place, without a duplicate check, tagged with its font-type
    // bits; returns its index. The selection stays on the entry it was on.
    int addName(const QString& name, int fontType = 0);
    int fontType(int index) const;
    // The entry's tag for drawing; in fast mode an untagged entry is classified first.
    int drawingType(int index);

    // A linked size picker's callback, run by every change notification before OnChange. One
    // hook at a time: installing replaces the previous one; removing takes away only the hook
    // that owner installed.
    void setChangeHook(const QObject* owner, std::function<void()> hook);
    void removeChangeHook(const QObject* owner);

    const FontTypePictograms& pictograms() const { return m_pictograms; }
    // Replaces the pictogram strip (the program's own is loaded at construction).
    void setPictogramStrip(const QImage& strip);
    FontNameItemDelegate& entryDelegate() const { return *m_delegate; }
    // The preview window of ShowExample.
    QLabel& examplePreview() const { return *m_preview; }

    void showPopup() override;
    void hidePopup() override;

protected:
    void Change() override;
    void paintContent(QPaintEvent* event) override;

private:
    void fontsChanged();
    void showPreview(int index);

    TFontNameOptions m_options = TFontNameOptions(foScreenFonts | foDisplaySymbol);
    QString m_exampleText = QStringLiteral("Abc");
    int m_exampleFontSize = 12;
    bool m_showExample = false;
    TFontExampleAlign m_exampleAlign = eaComboBox;
    bool m_fastMode = false;
    std::function<void()> m_changeHook;
    const QObject* m_changeHookOwner = nullptr;
    FontTypePictograms m_pictograms;
    FontNameItemDelegate* m_delegate;
    QLabel* m_preview;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFontNameComboBox::TFontNameOptions)
