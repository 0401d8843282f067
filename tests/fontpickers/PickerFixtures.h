#pragma once

#include "fontpickers/ListFontEnumerator.h"
#include "fontpickers/TPickerComboBox.h"
#include "framework/Desktop.h"

#include <QStringList>

// Small fixtures shared by the picker tests.
namespace PickerFixtures {

inline FontFace trueType(const QString& name)
{
    return {name, FontFace::TrueType, 0, 0};
}

inline FontFace raster(const QString& name, int cellHeight = 13, int internalLeading = 0)
{
    return {name, FontFace::Raster, cellHeight, internalLeading};
}

inline FontFace device(const QString& name)
{
    return {name, FontFace::Device, 0, 0};
}

// Faces written compactly for tables: "name:type[:cellHeight[:internalLeading]]", separated by
// ';' ("Arial:4;Fixed:1:13;Fixed:1:16:3").
inline QList<FontFace> faces(const QString& text)
{
    QList<FontFace> list;
    for (const QString& item : text.split(u';', Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(u':');
        list.append({parts.value(0), parts.value(1).toInt(), parts.value(2).toInt(), parts.value(3).toInt()});
    }
    return list;
}

// Installs a list of faces for the lifetime of a test.
class ScopedFonts {
public:
    explicit ScopedFonts(QList<FontFace> screen = {}, QList<FontFace> printer = {})
        : fonts(std::move(screen), std::move(printer)), m_previous(FontEnumerator::install(&fonts))
    {
    }
    ~ScopedFonts() { FontEnumerator::install(m_previous); }
    ScopedFonts(const ScopedFonts&) = delete;
    ScopedFonts& operator=(const ScopedFonts&) = delete;

    ListFontEnumerator fonts;

private:
    FontEnumerator* m_previous;
};

// Counts the beeps while it lives.
class BeepCounter {
public:
    BeepCounter() : m_previous(Desktop::setBeepHandler([this] { ++count; })) {}
    ~BeepCounter() { Desktop::setBeepHandler(m_previous); }
    BeepCounter(const BeepCounter&) = delete;
    BeepCounter& operator=(const BeepCounter&) = delete;

    int count = 0;

private:
    Desktop::BeepHandler m_previous;
};

// Records a picker's events in order, each with the text the picker showed then:
// "OnClick:Arial", "OnChange:Arial", "OnSelect:Arial".
class EventLog : public QObject {
public:
    explicit EventLog(TPickerComboBox& picker)
    {
        auto record = [this, &picker](const char* event) {
            entries.append(QLatin1String(event) + u':' + picker.text());
        };
        connect(&picker, &TPickerComboBox::OnClick, this, [record] { record("OnClick"); });
        connect(&picker, &TPickerComboBox::OnChange, this, [record] { record("OnChange"); });
        connect(&picker, &TPickerComboBox::OnSelect, this, [record] { record("OnSelect"); });
    }

    // Returns the entries so far and forgets them.
    QStringList take() { return std::exchange(entries, {}); }

    QStringList entries;
};

} // namespace PickerFixtures
