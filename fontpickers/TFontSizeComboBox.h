#pragma once

#include "fontpickers/FontFace.h"
#include "fontpickers/TPickerComboBox.h"

#include <QPointer>
#include <array>

class TFontNameComboBox;

// The font-size picker: an editable drop-down of the point sizes of one family (FontName), in
// which the user picks a size or types one. Only digits, signs and control characters can be
// typed; a refused key beeps. Leaving the box normalises its text to a valid size.
class TFontSizeComboBox : public TPickerComboBox {
    Q_OBJECT
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
    Q_PROPERTY(int DefaultSize READ defaultSize WRITE setDefaultSize)
    Q_PROPERTY(bool EditorEnabled READ editorEnabled WRITE setEditorEnabled)
    Q_PROPERTY(bool UseNearestSize READ useNearestSize WRITE setUseNearestSize)

public:
    // The sizes every scalable family offers.
    static constexpr std::array<int, 16> StandardSizes = {8,  9,  10, 11, 12, 14, 16, 18,
                                                          20, 22, 24, 26, 28, 36, 48, 72};

    explicit TFontSizeComboBox(QWidget* parent = nullptr);
    ~TFontSizeComboBox() override;

    QString fontName() const { return m_fontName; }
    // A different name (case counts) lists that family's sizes and shows the size shown before,
    // or DefaultSize when it is not valid.
    void setFontName(const QString& name);
    int defaultSize() const { return m_defaultSize; }
    void setDefaultSize(int size) { m_defaultSize = size; }
    bool editorEnabled() const { return m_editorEnabled; }
    void setEditorEnabled(bool enabled);
    bool useNearestSize() const { return m_useNearestSize; }
    void setUseNearestSize(bool use) { m_useNearestSize = use; }
    // A linked font-name picker, whose every change sets FontName to its text.
    TFontNameComboBox* fontCombo() const;
    void setFontCombo(TFontNameComboBox* combo);

    // The after-load step: lists the sizes again.
    Q_INVOKABLE void Loaded();
    // Lists the sizes of FontName: the standard sizes for a scalable family, each size of a
    // raster family once in ascending order; the printer's when the screen does not know the
    // family (nothing when there is no printer either). The text stays, nothing is selected.
    void RebuildSizeList();
    // The size the text shows: -1 when it is empty or not an integer.
    int CurrentSize() const;
    // The size to show for a requested one: DefaultSize when out of 1..999 (or without a family),
    // with UseNearestSize the family's nearest size (0 when the family is found nowhere).
    int ValidSize(int size) const;
    // Shows the valid size of a request, selects its entry (or none), then OnChange. Without a
    // family only the text is cleared.
    void SelectSize(int size);

    // Opens the list on the first entry that starts with the text, as the platform's list does.
    void showPopup() override;

    // A raster font's point size: its character height at that resolution, rounded to the
    // nearest integer, ties to the even one.
    static int rasterPointSize(const FontFace& font, int pixelsPerInch);

protected:
    void KeyPress(QChar& key) override;
    void DoExit() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addSizes(const QList<FontFace>& fonts, int pixelsPerInch);
    int nearestSize(int wanted) const;
    void passDialogKey(QChar key);

    QString m_fontName;
    int m_defaultSize = 10;
    bool m_editorEnabled = true;
    bool m_useNearestSize = false;
    QPointer<TFontNameComboBox> m_fontCombo;
    bool m_dialogKeyPassed = false;
};
