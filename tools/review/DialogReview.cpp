#include "DialogReview.h"

#include "ClippedTexts.h"
#include "ReviewSheet.h"
#include "StateShots.h"

#include "controls/TLumaroLButton.h"
#include "controls/TUrlLabel.h"
#include "dialogs/TAboutBox.h"
#include "dialogs/TForm1.h"
#include "dialogs/TForm2.h"
#include "framework/Desktop.h"
#include "framework/TPageControl.h"
#include "framework/TTabSheet.h"

#include <QTest>

#include <memory>
#include <stdexcept>

namespace {
template <class T> std::unique_ptr<T> shown()
{
    std::unique_ptr<T> dialog(TForm::create<T>());
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get()))
        throw std::runtime_error(std::string(dialog->metaObject()->className()) + " was not shown");
    return dialog;
}

QImage picture(QWidget& window)
{
    StateShots::pointerAway(window);
    return window.grab().toImage();
}

void addCloseButton(ReviewSheet& sheet, TForm& dialog)
{
    auto* button = dialog.findChild<TLumaroLButton*>(QStringLiteral("LumaroLButton1"));
    if (!button)
        throw std::runtime_error("a dialog has no close button");
    sheet.add(StateShots::row(StateShots::buttonLooks(*button, QMargins(4, 4, 4, 4))),
              QStringLiteral("Close button"));
}

// Every page in tab order; the findings go with the first picture, they hold for all.
void addPages(ReviewSheet& sheet, TForm& dialog, const QString& language, bool everyPage)
{
    auto* pages = dialog.findChild<TPageControl*>(QStringLiteral("PageControl1"));
    if (!pages)
        throw std::runtime_error("a reference dialog has no page control");
    const QString opening = pages->activePageName();
    sheet.add(picture(dialog),
              QStringLiteral("%1: as it opens (%2)").arg(language, pages->activePage()->caption()),
              ClippedTexts::in(dialog));
    if (!everyPage)
        return;
    for (TTabSheet* page : pages->pages()) {
        if (page->objectName() == opening)
            continue;
        pages->setActivePage(page);
        sheet.add(picture(dialog), QStringLiteral("%1: %2").arg(language, page->caption()));
    }
    pages->setActivePageName(opening);
}
} // namespace

void DialogReview::add(const Sheets& sheets, const QString& language, bool controls)
{
    sheets.about.beginSection(language);
    const auto about = shown<TAboutBox>();
    sheets.about.add(picture(*about), language + QStringLiteral(": the about box"), ClippedTexts::in(*about));
    if (controls) {
        addCloseButton(sheets.about, *about);
        auto* link = about->findChild<TUrlLabel*>(QStringLiteral("UrlLabel1"));
        if (!link)
            throw std::runtime_error("the about box has no home-page link");
        // Held down, then let go outside, so that nothing is opened.
        const Desktop::OpenHandler kept = Desktop::setOpenHandler([](const QString&) { return true; });
        QTest::mousePress(link, Qt::LeftButton, {}, QPoint(4, 4));
        sheets.about.add(StateShots::around(*link, QMargins(8, 8, 8, 8)),
                         QStringLiteral("Home-page link held down"));
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-40, -40));
        Desktop::setOpenHandler(kept);
    }

    sheets.worldTimes.beginSection(language);
    const auto worldTimes = shown<TForm1>();
    addPages(sheets.worldTimes, *worldTimes, language, controls);
    if (controls)
        addCloseButton(sheets.worldTimes, *worldTimes);

    sheets.metricTables.beginSection(language);
    const auto metricTables = shown<TForm2>();
    addPages(sheets.metricTables, *metricTables, language, controls);
    if (controls)
        addCloseButton(sheets.metricTables, *metricTables);
}
