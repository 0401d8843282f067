#include "fontpickers/TFontNameComboBox.h"

#include "fontpickers/FontEnumerator.h"
#include "fontpickers/FontNameItemDelegate.h"
#include "framework/AppError.h"
#include "framework/MessageDispatch.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QLabel>
#include <QScopeGuard>
#include <QSet>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

namespace {
using Device = FontEnumerator::Device;

bool sortsBefore(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

bool equalIgnoringAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    auto lower = [](QChar c) { return c.unicode() < 128 ? c.toLower() : c; };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}
} // namespace

TFontNameComboBox::TFontNameComboBox(QWidget* parent)
    : TPickerComboBox(parent), m_pictograms(FontTypePictograms::fromResources()),
      m_delegate(new FontNameItemDelegate(*this)), m_preview(new QLabel(this, Qt::ToolTip))
{
    setItemDelegate(m_delegate);
    m_preview->setAutoFillBackground(true);
    QPalette white = m_preview->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_preview->setPalette(white);
    m_preview->setWordWrap(true);
    m_preview->hide();
    connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this,
            [this] { MessageDispatch::run([this] { fontsChanged(); }); });
    connect(this, &QComboBox::highlighted, this, [this](int index) {
        if (m_showExample && view()->isVisible())
            MessageDispatch::run([this, index] { showPreview(index); });
    });
}

void TFontNameComboBox::setOptions(TFontNameOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    if (m_fastMode) {
        update();
        return;
    }
    const QString kept = text();
    RebuildFontList();
    SelectFontName(kept);
}

void TFontNameComboBox::setFastMode(bool fast)
{
    m_fastMode = fast;
}

void TFontNameComboBox::Loaded()
{
    if (!m_fastMode) {
        RebuildFontList();
        return;
    }
    view()->setUpdatesEnabled(false);
    const auto resume = qScopeGuard([this] {
        view()->setUpdatesEnabled(true);
        update();
    });
    clear();
    QStringList names;
    QSet<QString> listed;
    for (const FontFace& face : FontEnumerator::instance().faces(Device::Screen)) {
        if (!listed.contains(face.name.toCaseFolded())) {
            listed.insert(face.name.toCaseFolded());
            names.append(face.name);
        }
    }
    std::stable_sort(names.begin(), names.end(), sortsBefore);
    for (const QString& name : std::as_const(names))
        addItem(name, 0);
    setCurrentIndex(-1);
}

void TFontNameComboBox::RebuildFontList()
{
    if (m_fastMode)
        return;
    view()->setUpdatesEnabled(false);
    const auto resume = qScopeGuard([this] {
        view()->setUpdatesEnabled(true);
        update();
    });
    clear();
    FontEnumerator& fonts = FontEnumerator::instance();
    QList<FontFace> reports;
    if (m_options.testFlag(foScreenFonts))
        reports = fonts.faces(Device::Screen);
    if (m_options.testFlag(foPrinterFonts)) {
        try {
            reports += fonts.faces(Device::Printer);
        } catch (const AppError&) {
            // Without a usable printer the list holds the screen's faces.
        }
    }
    QList<FontFace> entries;
    QSet<QString> listed;
    for (const FontFace& report : std::as_const(reports)) {
        const QString key = report.name.toCaseFolded();
        if (listed.contains(key))
            continue;
        if (m_options.testFlag(foTrueTypeOnly) && !(report.type & FontFace::TrueType))
            continue;
        listed.insert(key);
        entries.append(report);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const FontFace& a, const FontFace& b) { return sortsBefore(a.name, b.name); });
    for (const FontFace& entry : std::as_const(entries))
        addItem(entry.name, entry.type);
    setCurrentIndex(-1);
}

void TFontNameComboBox::SelectFontName(const QString& name)
{
    if (text() == name)
        return;
    int found = -1;
    for (int i = 0; i < count(); ++i) {
        if (equalIgnoringAsciiCase(itemText(i), name)) {
            found = i;
            break;
        }
    }
    setCurrentIndex(found);
    Change();
}

int TFontNameComboBox::addName(const QString& name, int fontType)
{
    const bool noneSelected = currentIndex() < 0;
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (sortsBefore(name, itemText(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    insertItem(low, name, fontType);
    if (noneSelected)
        setCurrentIndex(-1);
    return low;
}

int TFontNameComboBox::fontType(int index) const
{
    return itemData(index).toInt();
}

int TFontNameComboBox::drawingType(int index)
{
    int type = fontType(index);
    if (m_fastMode && type == 0) {
        const QList<FontFace> fonts = FontEnumerator::instance().familyFonts(Device::Screen, itemText(index));
        if (!fonts.isEmpty() && (fonts.first().type & FontFace::TrueType)) {
            type = FontFace::TrueType;
            setItemData(index, type);
        }
    }
    return type;
}

void TFontNameComboBox::setPictogramStrip(const QImage& strip)
{
    m_pictograms = FontTypePictograms(strip);
    update();
    view()->viewport()->update();
}

void TFontNameComboBox::setChangeHook(const QObject* owner, std::function<void()> hook)
{
    m_changeHookOwner = owner;
    m_changeHook = std::move(hook);
}

void TFontNameComboBox::removeChangeHook(const QObject* owner)
{
    if (owner != m_changeHookOwner)
        return;
    m_changeHookOwner = nullptr;
    m_changeHook = nullptr;
}

void TFontNameComboBox::Change()
{
    if (m_changeHook)
        m_changeHook();
    TPickerComboBox::Change();
}

void TFontNameComboBox::fontsChanged()
{
    const QString kept = text();
    RebuildFontList();
    UpdateItemHeight();
    SelectFontName(kept);
}

void TFontNameComboBox::showPopup()
{
    TPickerComboBox::showPopup();
    if (m_showExample)
        showPreview(currentIndex());
}

void TFontNameComboBox::hidePopup()
{
    TPickerComboBox::hidePopup();
    m_preview->hide();
}

void TFontNameComboBox::showPreview(int index)
{
    if (index < 0) {
        m_preview->hide();
        return;
    }
    QFont face(itemText(index));
    face.setPointSize(qMax(1, m_exampleFontSize));
    m_preview->setFont(face);
    m_preview->setText(m_exampleText);
    m_preview->setFixedSize(QFontMetrics(face)
                                .boundingRect(QRect(0, 0, 200, 10000), Qt::TextWordWrap, m_exampleText)
                                .size()
                                .boundedTo(QSize(200, 10000)));
    const QPoint corner =
        m_exampleAlign == eaComboBox ? QPoint(width(), 0) : QPoint(qMax(width(), dropDownWidth()), height());
    m_preview->move(mapToGlobal(corner));
    m_preview->show();
}

void TFontNameComboBox::paintContent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    FontNameItemDelegate::EntryState state;
    state.selected = hasFocus();
    state.focused = hasFocus();
    state.disabled = !isEnabled();
    m_delegate->paintEntry(painter, field, currentIndex(), state);
}
