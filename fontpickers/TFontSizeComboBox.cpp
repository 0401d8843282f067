#include "fontpickers/TFontSizeComboBox.h"

#include "fontpickers/FontEnumerator.h"
#include "fontpickers/IntegerText.h"
#include "fontpickers/TFontNameComboBox.h"
#include "framework/AppError.h"
#include "framework/Desktop.h"
#include "framework/MessageDispatch.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopeGuard>

namespace {
using Device = FontEnumerator::Device;

// TrueType, vector, or a device font that is not raster: any size can be drawn.
bool isScalable(const FontFace& font)
{
    return (font.type & FontFace::TrueType) || font.type == 0 || font.type == FontFace::Device;
}

constexpr char16_t Backspace = 8;
constexpr char16_t Enter = 13;
constexpr char16_t Escape = 27;
} // namespace

TFontSizeComboBox::TFontSizeComboBox(QWidget* parent) : TPickerComboBox(parent)
{
    setEditField(true);
    setItemHeight(16);
    connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, [this] {
        MessageDispatch::run([this] {
            UpdateItemHeight();
            RebuildSizeList();
        });
    });
}

TFontSizeComboBox::~TFontSizeComboBox()
{
    if (m_fontCombo)
        m_fontCombo->removeChangeHook(this);
}

void TFontSizeComboBox::setFontName(const QString& name)
{
    if (name == m_fontName)
        return;
    const int kept = CurrentSize();
    m_fontName = name;
    RebuildSizeList();
    SelectSize(kept);
}

void TFontSizeComboBox::setEditorEnabled(bool enabled)
{
    if (enabled == m_editorEnabled)
        return;
    m_editorEnabled = enabled;
    setEditField(enabled);
}

TFontNameComboBox* TFontSizeComboBox::fontCombo() const
{
    return m_fontCombo;
}

void TFontSizeComboBox::setFontCombo(TFontNameComboBox* combo)
{
    if (combo == m_fontCombo)
        return;
    if (m_fontCombo)
        m_fontCombo->removeChangeHook(this);
    m_fontCombo = combo;
    if (combo)
        combo->setChangeHook(this, [this] { setFontName(m_fontCombo->text()); });
}

void TFontSizeComboBox::Loaded()
{
    RebuildSizeList();
}

int TFontSizeComboBox::rasterPointSize(const FontFace& font, int pixelsPerInch)
{
    const qint64 dots = qint64(qMax(0, font.characterHeight())) * 72;
    const qint64 perInch = pixelsPerInch > 0 ? pixelsPerInch : 96;
    qint64 size = dots / perInch;
    const qint64 twiceRest = 2 * (dots % perInch);
    if (twiceRest > perInch || (twiceRest == perInch && size % 2 == 1))
        ++size;
    return int(qMin<qint64>(size, INT_MAX));
}

void TFontSizeComboBox::addSizes(const QList<FontFace>& fonts, int pixelsPerInch)
{
    for (const FontFace& font : fonts) {
        if (isScalable(font)) {
            for (int size : StandardSizes)
                addItem(QString::number(size));
            return;
        }
        if (!(font.type & FontFace::Raster))
            continue;
        const int size = rasterPointSize(font, pixelsPerInch);
        const QString text = QString::number(size);
        int at = count();
        bool listed = false;
        for (int i = 0; i < count(); ++i) {
            listed = itemText(i) == text;
            if (listed)
                break;
            if (itemText(i).toInt() > size) {
                at = i;
                break;
            }
        }
        if (!listed)
            insertItem(at, text);
    }
}

void TFontSizeComboBox::RebuildSizeList()
{
    const QString kept = text();
    view()->setUpdatesEnabled(false);
    const auto resume = qScopeGuard([&] {
        setCurrentIndex(-1);
        if (lineEdit())
            lineEdit()->setText(kept);
        view()->setUpdatesEnabled(true);
        update();
    });
    clear();
    if (m_fontName.isEmpty())
        return;
    FontEnumerator& fonts = FontEnumerator::instance();
    addSizes(fonts.familyFonts(Device::Screen, m_fontName), fonts.pixelsPerInch(Device::Screen));
    if (count() > 0)
        return;
    try {
        addSizes(fonts.familyFonts(Device::Printer, m_fontName), fonts.pixelsPerInch(Device::Printer));
    } catch (const AppError&) {
        // Without a usable printer the family is simply unknown.
    }
}

int TFontSizeComboBox::CurrentSize() const
{
    const QString shown = text();
    if (shown.isEmpty())
        return -1;
    return integerFromText(shown).value_or(-1);
}

int TFontSizeComboBox::nearestSize(int wanted) const
{
    FontEnumerator& fonts = FontEnumerator::instance();
    int nearest = 0;
    auto search = [&](Device device) {
        const int pixelsPerInch = fonts.pixelsPerInch(device);
        for (const FontFace& font : fonts.familyFonts(device, m_fontName)) {
            if (isScalable(font)) {
                nearest = wanted;
                return;
            }
            if (!(font.type & FontFace::Raster))
                continue;
            const int size = rasterPointSize(font, pixelsPerInch);
            if (nearest == 0 || qAbs(size - wanted) < qAbs(nearest - wanted))
                nearest = size;
        }
    };
    search(Device::Screen);
    if (nearest == 0) {
        try {
            search(Device::Printer);
        } catch (const AppError&) {
            // Without a usable printer the family is found nowhere.
        }
    }
    return nearest;
}

int TFontSizeComboBox::ValidSize(int size) const
{
    if (size < 1 || size > 999 || m_fontName.isEmpty())
        size = m_defaultSize;
    if (m_useNearestSize && !m_fontName.isEmpty())
        size = nearestSize(size);
    return size;
}

void TFontSizeComboBox::SelectSize(int size)
{
    if (m_fontName.isEmpty()) {
        setEditText(QString());
        return;
    }
    try {
        const QString shown = QString::number(ValidSize(size));
        setCurrentIndex(findText(shown, Qt::MatchFixedString));
        setEditText(shown);
    } catch (const AppError&) {
        setCurrentIndex(-1);
        return;
    }
    // Outside the guard: a failure of the handler reaches whoever asked for the size.
    Change();
}

void TFontSizeComboBox::showPopup()
{
    TPickerComboBox::showPopup();
    if (currentIndex() >= 0 || text().isEmpty())
        return;
    const int matching = findText(text(), Qt::MatchStartsWith);
    if (matching >= 0)
        view()->setCurrentIndex(model()->index(matching, modelColumn(), rootModelIndex()));
}

void TFontSizeComboBox::KeyPress(QChar& key)
{
    const char16_t c = key.unicode();
    const bool digitOrSign = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-';
    bool accepted = digitOrSign || c < 32;
    if (!m_editorEnabled && (digitOrSign || c == Backspace))
        accepted = false;
    if (!accepted || m_fontName.isEmpty()) {
        key = QChar();
        Desktop::beep();
        return;
    }
    TPickerComboBox::KeyPress(key);
    if (key == QChar(Enter) || key == QChar(Escape)) {
        passDialogKey(key);
        if (key == QChar(Enter))
            key = QChar();
    }
}

void TFontSizeComboBox::passDialogKey(QChar key)
{
    QWidget* container = window();
    if (container == this)
        return;
    m_dialogKeyPassed = true;
    QKeyEvent dialogKey(QEvent::KeyPress, key == QChar(Enter) ? Qt::Key_Return : Qt::Key_Escape,
                        Qt::NoModifier, QString(key));
    QCoreApplication::sendEvent(container, &dialogKey);
}

void TFontSizeComboBox::keyPressEvent(QKeyEvent* event)
{
    m_dialogKeyPassed = false;
    TPickerComboBox::keyPressEvent(event);
    // The window has had the key once already.
    if (std::exchange(m_dialogKeyPassed, false))
        event->accept();
}

void TFontSizeComboBox::DoExit()
{
    TPickerComboBox::DoExit();
    if (!m_editorEnabled)
        return;
    if (m_fontName.isEmpty()) {
        setEditText(QString());
        return;
    }
    const QString shown = text();
    if (shown.isEmpty()) {
        SelectSize(-1);
        return;
    }
    const std::optional<qint32> size = integerFromText(shown);
    if (!size)
        throw AppError(StringTable::format(StringId::InvalidInteger, {shown}));
    SelectSize(*size);
}
