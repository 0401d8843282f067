#include "MainWindowReview.h"

#include "ClippedTexts.h"
#include "ReviewSheet.h"
#include "StateShots.h"

#include "app/TMainForm.h"
#include "controls/TLumaroLButton.h"
#include "controls/TOwnerCheck.h"
#include "fontpickers/FontFace.h"
#include "fontpickers/TFontNameComboBox.h"
#include "fontpickers/TFontSizeComboBox.h"
#include "framework/TImage.h"
#include "richtext/TCustomRichEdit.h"

#include <QEventLoop>
#include <QTextCursor>

#include <algorithm>
#include <stdexcept>

namespace {
// Image buttons in the order a reviewer reads the window: the top row, then the left column.
QList<TLumaroLButton*> buttonsInReadingOrder(TMainForm& window)
{
    QList<TLumaroLButton*> buttons = window.findChildren<TLumaroLButton*>();
    std::sort(buttons.begin(), buttons.end(), [](const TLumaroLButton* a, const TLumaroLButton* b) {
        const bool aTop = a->y() < 40;
        const bool bTop = b->y() < 40;
        if (aTop != bTop)
            return aTop;
        return aTop ? a->x() < b->x() : a->y() < b->y();
    });
    return buttons;
}

QString hintOf(const QWidget& widget)
{
    return widget.property("Hint").toString();
}
} // namespace

QStringList MainWindowReview::texts(const TMainForm& window)
{
    QStringList lines{QStringLiteral("Caption: ") + window.windowTitle()};
    QList<QWidget*> controls = window.findChildren<QWidget*>();
    std::stable_sort(controls.begin(), controls.end(),
                     [](const QWidget* a, const QWidget* b) { return a->objectName() < b->objectName(); });
    for (const QWidget* control : controls) {
        if (!hintOf(*control).isEmpty())
            lines << QStringLiteral("%1: %2").arg(control->objectName(), hintOf(*control));
    }
    return lines;
}

void MainWindowReview::addWindow(ReviewSheet& sheet, TMainForm& window, const QString& language,
                                 const QString& document)
{
    window.OpenDocument(document);
    // The document loads in the background: the sheet shows it loaded.
    if (window.loading()) {
        QEventLoop loaded;
        QObject::connect(&window, &TMainForm::loadEnded, &loaded, &QEventLoop::quit);
        loaded.exec();
    }
    TCustomRichEdit* editor = window.editor();
    editor->moveCursor(QTextCursor::Start);
    if (!editor->find(QStringLiteral("Monday")))
        throw std::runtime_error("the review document has no \"Monday\"");
    StateShots::pointerAway(window);
    sheet.add(window.grab().toImage(), language + QStringLiteral(": the window, \"Monday\" selected"),
              ClippedTexts::in(window));
    sheet.addText(texts(window), language + QStringLiteral(": caption and tooltips"));
}

void MainWindowReview::addControls(ReviewSheet& sheet, TMainForm& window)
{
    sheet.beginSection(QStringLiteral("Image buttons: up, mouse over, pressed, disabled"));
    for (TLumaroLButton* button : buttonsInReadingOrder(window)) {
        const QString hint = hintOf(*button);
        sheet.add(StateShots::row(StateShots::buttonLooks(*button, QMargins(4, 4, 4, 4))),
                  button->objectName() + (hint.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(hint)));
    }

    sheet.beginSection(QStringLiteral("Check boxes, with the picture of their label"));
    const QList<QPair<const char*, const char*>> boxes = {{"BoldButton", "Image3"},
                                                          {"ItalicButton", "Image5"},
                                                          {"UnderlineButton", "Image4"},
                                                          {"BulletsButton", "Image2"}};
    for (const auto& [name, labelName] : boxes) {
        auto* box = window.findChild<TOwnerCheck*>(QLatin1String(name));
        auto* label = window.findChild<TImage*>(QLatin1String(labelName));
        if (!box || !label)
            throw std::runtime_error(std::string("the main window has no ") + name + " or " + labelName);
        // The box and the picture of its label, with a little of the window around them.
        const QRect both = (box->geometry() | label->geometry()).adjusted(-4, -4, 4, 4);
        const QRect boxArea = box->geometry();
        const QMargins margins(boxArea.left() - both.left(), boxArea.top() - both.top(),
                               both.right() - boxArea.right(), both.bottom() - boxArea.bottom());
        sheet.add(StateShots::row(StateShots::checkBoxLooks(*box, margins)), box->objectName());
    }

    sheet.beginSection(QStringLiteral("Pickers with their lists open"));
    auto* names = window.findChild<TFontNameComboBox*>(QStringLiteral("FontName"));
    auto* sizes = window.findChild<TFontSizeComboBox*>(QStringLiteral("FontSize"));
    if (!names || !sizes)
        throw std::runtime_error("the main window has no font pickers");
    names->SelectFontName(QStringLiteral("DejaVu Sans"));
    sheet.add(StateShots::withOpenList(*names), QStringLiteral("FontName, \"DejaVu Sans\" chosen"));
    sheet.add(StateShots::withOpenList(*sizes), QStringLiteral("FontSize"));
}

QImage MainWindowReview::nameListAtBitmapFaces(TMainForm& window)
{
    auto* names = window.findChild<TFontNameComboBox*>(QStringLiteral("FontName"));
    if (!names)
        throw std::runtime_error("the main window has no font-name picker");
    for (int i = 0; i < names->count(); ++i) {
        if (names->fontType(i) & FontFace::Raster) {
            names->SelectFontName(names->itemText(i));
            return StateShots::withOpenList(*names);
        }
    }
    return {};
}
