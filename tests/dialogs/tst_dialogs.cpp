// The about box and the reference dialogs: their windows, pictures and pages as their layouts
// build them, opening them through the launcher, closing them, the home page link and choosing
// pages.

#include "controls/ControlClasses.h"
#include "controls/TLumaroLButton.h"
#include "controls/TUrlLabel.h"
#include "dialogs/DialogLauncher.h"
#include "dialogs/TAboutBox.h"
#include "dialogs/TForm1.h"
#include "dialogs/TForm2.h"
#include "framework/AppError.h"
#include "framework/Desktop.h"
#include "framework/EventBindings.h"
#include "framework/ResourceModule.h"
#include "framework/TImage.h"
#include "framework/TLabel.h"
#include "framework/TPageControl.h"
#include "framework/TTabSheet.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

namespace {
QImage artwork(const QString& path)
{
    bool found = false;
    const QByteArray data = ResourceModule::read(QStringLiteral("art/") + path, &found);
    if (!found)
        qFatal("no artwork %s", qPrintable(path));
    return TPicture::fromFileData(data).image().convertToFormat(QImage::Format_RGB32);
}

QImage pixels(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage rendered(QWidget* widget)
{
    return pixels(widget->grab().toImage());
}

// The dialogs by their layout object names.
std::unique_ptr<TForm> create(const QString& name)
{
    if (name == QLatin1String("AboutBox"))
        return std::unique_ptr<TForm>(TForm::create<TAboutBox>());
    if (name == QLatin1String("Form1"))
        return std::unique_ptr<TForm>(TForm::create<TForm1>());
    return std::unique_ptr<TForm>(TForm::create<TForm2>());
}

void launch(const QString& name, QWidget* owner)
{
    if (name == QLatin1String("AboutBox"))
        DialogLauncher::showAbout(owner);
    else if (name == QLatin1String("Form1"))
        DialogLauncher::showWorldTimes(owner);
    else
        DialogLauncher::showMetricTables(owner);
}

struct ModalRun {
    bool opened = false;
    bool closedByAct = false; // act ended the modal loop (else the helper closed the dialog)
    bool destroyed = false;   // the dialog was gone once the launcher returned
};

// Opens the dialog through the launcher and runs act inside its modal loop. A dialog that act
// leaves open is closed afterwards, so that a failing check cannot leave the test waiting.
ModalRun runModal(const QString& name, const std::function<void(TForm&)>& act)
{
    QWidget owner;
    ModalRun run;
    QPointer<TForm> seen;
    QTimer::singleShot(0, &owner, [&] {
        auto* dialog = owner.findChild<TForm*>(name);
        if (!dialog) {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        seen = dialog;
        run.opened = dialog->isVisible() && dialog->isModal();
        act(*dialog);
        run.closedByAct = dialog->modalResult() != TForm::mrNone;
        if (!run.closedByAct)
            dialog->close();
    });
    launch(name, &owner);
    run.destroyed = run.opened && seen.isNull();
    return run;
}

// Records what the desktop is asked to open instead of starting a browser.
class OpenRecorder {
public:
    OpenRecorder()
        : m_previous(Desktop::setOpenHandler([this](const QString& target) {
              opened << target;
              return true;
          }))
    {
    }
    ~OpenRecorder() { Desktop::setOpenHandler(m_previous); }
    QStringList opened;

private:
    Desktop::OpenHandler m_previous;
};
} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerControlClasses(); }
    void cleanup() { ResourceModule::setCurrentRoot(QString()); }

    // The windows: caption, fixed client size, colour, font, place and icon.
    void windows_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<Colors::TColor>("color");
        QTest::addColumn<QPoint>("position"); // (-1, -1): centred on the screen
        QTest::addColumn<bool>("icon");
        QTest::newRow("about box") << "AboutBox"
                                   << "About This Program" << QSize(292, 138) << Colors::clBtnFace
                                   << QPoint(-1, -1) << false;
        QTest::newRow("world times") << "Form1"
                                     << " World Times" << QSize(303, 428) << Colors::clMaroon
                                     << QPoint(267, 72) << true;
        QTest::newRow("metric tables") << "Form2"
                                       << " Metric  Conversion  Tables" << QSize(421, 392) << Colors::clMaroon
                                       << QPoint(207, 90) << true;
    }

    void windows()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(Colors::TColor, color);
        QFETCH(QPoint, position);
        QFETCH(bool, icon);
        const std::unique_ptr<TForm> form = create(dialog);
        QCOMPARE(form->objectName(), dialog);
        QCOMPARE(form->windowTitle(), caption);
        QCOMPARE(form->size(), client);
        QCOMPARE(form->minimumSize(), client);
        QCOMPARE(form->maximumSize(), client);
        QCOMPARE(form->borderStyle(), TForm::bsDialog);
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->color(), color);
        QCOMPARE(form->font()->name(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(form->font()->height(), -11);
        QCOMPARE(!form->windowIcon().isNull(), icon);
        if (icon)
            QVERIFY(form->windowIcon().availableSizes().contains(QSize(32, 32)));

        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        if (position == QPoint(-1, -1)) {
            const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
            QVERIFY((form->frameGeometry().center() - centre).manhattanLength() <= 1);
        } else {
            QCOMPARE(form->pos(), position);
        }
    }

    // Every picture, where it stands, and the close buttons' four pictures and handler.
    void pictures_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<QString>("picture");
        auto add = [](const char* dialog, const char* component, const char* parent, QRect bounds,
                      const char* picture) {
            QTest::addRow("%s.%s", dialog, component) << dialog << component << parent << bounds << picture;
        };
        add("AboutBox", "Image1", "AboutBox", QRect(0, 0, 292, 138), "dialogs/about.jpg");
        add("AboutBox", "LumaroLButton1", "AboutBox", QRect(233, 87, 40, 30), "dialogs/close_up.bmp");

        add("Form1", "Image11", "Form1", QRect(-1, -2, 37, 430), "worldtimes/strip_left.jpg");
        add("Form1", "Image13", "Form1", QRect(261, -3, 42, 388), "worldtimes/strip_right.jpg");
        add("Form1", "Image12", "Form1", QRect(-1, 366, 306, 65), "worldtimes/strip_bottom.jpg");
        add("Form1", "Image1", "Form1", QRect(0, -2, 306, 53), "worldtimes/strip_top.jpg");
        add("Form1", "Image4", "Form1", QRect(91, 8, 132, 29), "worldtimes/title.jpg");
        add("Form1", "LumaroLButton1", "Form1", QRect(134, 381, 40, 30), "dialogs/close_up.bmp");
        const QRect worldPage(0, 0, 232, 280);
        add("Form1", "Image5", "AB", worldPage, "worldtimes/page_ab.jpg");
        add("Form1", "Image6", "BC", worldPage, "worldtimes/page_bc.jpg");
        add("Form1", "Image7", "DH", worldPage, "worldtimes/page_dh.jpg");
        add("Form1", "Image8", "HL", worldPage, "worldtimes/page_hl.jpg");
        add("Form1", "Image9", "MN", worldPage, "worldtimes/page_mn.jpg");
        add("Form1", "Image10", "NP", worldPage, "worldtimes/page_np.jpg");
        add("Form1", "Image3", "QT", worldPage, "worldtimes/page_qt.jpg");
        add("Form1", "Image2", "TZ", worldPage, "worldtimes/page_tz.jpg");

        add("Form2", "Image10", "Form2", QRect(0, 333, 418, 105), "metric/strip_bottom.jpg");
        add("Form2", "Image2", "Form2", QRect(-2, -1, 427, 47), "metric/strip_top.jpg");
        add("Form2", "LumaroLButton1", "Form2", QRect(192, 350, 40, 30), "dialogs/close_up.bmp");
        add("Form2", "Image7", "Form2", QRect(50, 7, 311, 25), "metric/title.jpg");
        add("Form2", "Image8", "Form2", QRect(-1, 1, 51, 391), "metric/strip_left.jpg");
        add("Form2", "Image9", "Form2", QRect(371, 1, 51, 391), "metric/strip_right.jpg");
        const QRect metricPage(0, 0, 328, 251);
        add("Form2", "Image1", "LenghtSheet", metricPage, "metric/page_length.jpg");
        add("Form2", "Image3", "AreaSheet", metricPage, "metric/page_area.jpg");
        add("Form2", "Image4", "MassSheet", metricPage, "metric/page_mass.jpg");
        add("Form2", "Image5", "VolumeSheet", metricPage, "metric/page_volume1.jpg");
        add("Form2", "Image6", "TemprSheet", metricPage, "metric/page_volume2.jpg");
    }

    void pictures()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, component);
        QFETCH(QString, parent);
        QFETCH(QRect, bounds);
        QFETCH(QString, picture);
        const std::unique_ptr<TForm> form = create(dialog);
        auto* widget = form->findChild<QWidget*>(component);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), bounds);
        if (auto* button = qobject_cast<TLumaroLButton*>(widget)) {
            QCOMPARE(pixels(button->upImage().image()), artwork(picture));
            QCOMPARE(pixels(button->downImage().image()), artwork(QStringLiteral("dialogs/close_down.bmp")));
            QCOMPARE(pixels(button->mouseOverImage().image()),
                     artwork(QStringLiteral("dialogs/close_over.bmp")));
            QCOMPARE(pixels(button->disabledImage().image()),
                     artwork(QStringLiteral("dialogs/close_disabled.bmp")));
            QVERIFY(!button->stretch());
            QVERIFY(!button->transparent());
            QCOMPARE(button->transparentColor(), Colors::clWhite);
            QCOMPARE(EventBindings::boundHandler(button, QStringLiteral("OnClick")),
                     QStringLiteral("LumaroLButton1Click"));
        } else {
            auto* image = qobject_cast<TImage*>(widget);
            QVERIFY(image);
            QCOMPARE(pixels(image->picture().image()), artwork(picture));
            QCOMPARE(image->picture().format(), TPicture::Format::Jpeg);
        }
    }

    // The labels: the note on the times above and below the World Times pages, the link.
    void labels_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("component");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("height");
        QTest::addColumn<Colors::TColor>("ink");
        const QString note = QStringLiteral("The following times are as at 12 noon, Greenwich Mean Time");
        QTest::newRow("note below") << "Form1"
                                    << "Label1" << QPoint(7, 413) << note << "MS Sans Serif" << -10
                                    << Colors::clBlack;
        QTest::newRow("note above") << "Form1"
                                    << "Label3" << QPoint(6, 28) << note << "MS Sans Serif" << -10
                                    << Colors::clBlack;
        QTest::newRow("home page") << "AboutBox"
                                   << "UrlLabel1" << QPoint(155, 90) << "Homepage"
                                   << "Courier" << -13 << Colors::clWhite;
    }

    void labels()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, component);
        QFETCH(QPoint, position);
        QFETCH(QString, caption);
        QFETCH(QString, face);
        QFETCH(int, height);
        QFETCH(Colors::TColor, ink);
        const std::unique_ptr<TForm> form = create(dialog);
        auto* label = form->findChild<TLabel*>(component);
        QVERIFY(label);
        QCOMPARE(label->pos(), position);
        QCOMPARE(label->caption(), caption);
        QVERIFY(!label->parentFont());
        QCOMPARE(label->font()->name(), face);
        QCOMPARE(label->font()->height(), height);
        QCOMPARE(label->font()->color(), ink);
        QVERIFY(label->transparent());
        if (component == QLatin1String("Label1"))
            return;
        QVERIFY(!label->parentColor());
        QCOMPARE(label->color(), Colors::clMaroon);
    }

    void homePageLink()
    {
        const std::unique_ptr<TForm> form = create(QStringLiteral("AboutBox"));
        auto* link = form->findChild<TUrlLabel*>(QStringLiteral("UrlLabel1"));
        QVERIFY(link);
        QCOMPARE(link->font()->style(), TFont::TFontStyles(TFont::fsUnderline));
        QCOMPARE(link->activeColor(), Colors::clSilver);
        QCOMPARE(link->property("Cursor").toInt(), TUrlLabel::HandCursor);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));

        OpenRecorder recorder;
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(recorder.opened, QStringList{"https://lumarostyle.example.org/notepad"});

        QGuiApplication::clipboard()->clear();
        const QList<QAction*> entries = link->popupMenu()->actions();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->text(), QStringLiteral("Copy"));
        entries.first()->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Homepage"));
    }

    // The page controls: place, pages in tab order, the page they open on and the page area.
    void pageControls_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<QStringList>("pages");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("active");
        QTest::addColumn<QRect>("pageArea");
        QTest::newRow("world times") << "Form1" << QRect(32, 47, 240, 326)
                                     << QStringList{"AB", "BC", "DH", "HL", "MN", "NP", "QT", "TZ"}
                                     << QStringList{"A-B", "B-C", "D-H", "H-L", "M-N", "N-P", "Q-T", "T-Z"}
                                     << "AB" << QRect(4, 42, 232, 280);
        QTest::newRow("metric tables")
            << "Form2" << QRect(43, 41, 336, 297)
            << QStringList{"LenghtSheet", "AreaSheet", "MassSheet", "VolumeSheet", "TemprSheet"}
            << QStringList{"L e n g h t", "A r e a", "Mass/ Weight/ Speed", "V o l u m e (1)",
                           "Volume(2) / Temperature"}
            << "VolumeSheet" << QRect(4, 42, 328, 251);
    }

    void pageControls()
    {
        QFETCH(QString, dialog);
        QFETCH(QRect, bounds);
        QFETCH(QStringList, pages);
        QFETCH(QStringList, captions);
        QFETCH(QString, active);
        QFETCH(QRect, pageArea);
        const std::unique_ptr<TForm> form = create(dialog);
        auto* control = form->findChild<TPageControl*>(QStringLiteral("PageControl1"));
        QVERIFY(control);
        QCOMPARE(control->geometry(), bounds);
        QVERIFY(control->multiLine());
        QStringList names;
        QStringList texts;
        for (TTabSheet* page : control->pages()) {
            names << page->objectName();
            texts << page->caption();
            QCOMPARE(page->geometry(), pageArea);
        }
        QCOMPARE(names, pages);
        QCOMPARE(texts, captions);
        QCOMPARE(control->activePageName(), active);
        // A windowed control: above every picture, label and button of the dialog.
        QWidget* topmost = nullptr;
        for (QObject* child : form->children()) {
            if (child->isWidgetType())
                topmost = static_cast<QWidget*>(child);
        }
        QCOMPARE(topmost, control);

        // The only control that takes the focus has it once the dialog is shown.
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QVERIFY(control->hasFocus());
    }

    // What the dialogs show: the page control over the strips, the close buttons over the strips
    // beneath them, the note over the World Times strips.
    void drawing_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QString>("picture");
        QTest::newRow("about: its picture") << "AboutBox" << QRect(0, 0, 150, 85) << "dialogs/about.jpg";
        QTest::newRow("about: close button")
            << "AboutBox" << QRect(233, 87, 40, 30) << "dialogs/close_up.bmp";
        QTest::newRow("world times: first page")
            << "Form1" << QRect(36, 89, 232, 280) << "worldtimes/page_ab.jpg";
        QTest::newRow("world times: close button")
            << "Form1" << QRect(134, 381, 40, 30) << "dialogs/close_up.bmp";
        // This picture is 6 pixels shorter than its page.
        QTest::newRow("metric tables: volume page")
            << "Form2" << QRect(47, 83, 328, 245) << "metric/page_volume1.jpg";
        QTest::newRow("metric tables: close button")
            << "Form2" << QRect(192, 350, 40, 30) << "dialogs/close_up.bmp";
    }

    void drawing()
    {
        QFETCH(QString, dialog);
        QFETCH(QRect, area);
        QFETCH(QString, picture);
        const std::unique_ptr<TForm> form = create(dialog);
        QCOMPARE(rendered(form.get()).copy(area), artwork(picture).copy(0, 0, area.width(), area.height()));
    }

    // The strips are light where the note stands; its letters are dark.
    void noteShowsOverTheStrips()
    {
        const std::unique_ptr<TForm> form = create(QStringLiteral("Form1"));
        const QImage image = rendered(form.get());
        for (const char* name : {"Label1", "Label3"}) {
            auto* label = form->findChild<TLabel*>(QLatin1String(name));
            const QRect area = label->geometry().intersected(form->rect());
            int inked = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x)
                    inked += qGray(image.pixel(x, y)) < 64 ? 1 : 0;
            }
            QVERIFY2(inked > 50, name);
        }
    }

    // Each opening builds a new dialog, so Metric Tables always opens on "V o l u m e (1)".
    void metricTablesOpenOnVolumeEachTime()
    {
        QStringList shown;
        auto chooseFirstPage = [&](TForm& dialog) {
            auto* control = dialog.findChild<TPageControl*>(QStringLiteral("PageControl1"));
            shown << control->activePage()->caption();
            QVERIFY(dialog.findChild<TImage*>(QStringLiteral("Image5"))->isVisible());
            QTest::mouseClick(control, Qt::LeftButton, {}, control->tabRect(0).center());
            shown << control->activePage()->caption();
            dialog.close();
        };
        QVERIFY(runModal(QStringLiteral("Form2"), chooseFirstPage).destroyed);
        QVERIFY(!QTest::currentTestFailed());
        QVERIFY(runModal(QStringLiteral("Form2"), chooseFirstPage).destroyed);
        QCOMPARE(shown, (QStringList{"V o l u m e (1)", "L e n g h t", "V o l u m e (1)", "L e n g h t"}));
    }

    // The close button shows its down picture while held and closes the dialog on a release
    // over it, not on the press; the launcher then destroys the dialog.
    void closeButton_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("releasedOver");
        QTest::newRow("about box") << "AboutBox" << true;
        QTest::newRow("world times") << "Form1" << true;
        QTest::newRow("metric tables") << "Form2" << true;
        QTest::newRow("released elsewhere: stays open") << "Form2" << false;
    }

    void closeButton()
    {
        QFETCH(QString, dialog);
        QFETCH(bool, releasedOver);
        const QImage up = artwork(QStringLiteral("dialogs/close_up.bmp"));
        const QImage down = artwork(QStringLiteral("dialogs/close_down.bmp"));
        QVERIFY(up != down);
        const ModalRun run = runModal(dialog, [&](TForm& form) {
            auto* button = form.findChild<TLumaroLButton*>(QStringLiteral("LumaroLButton1"));
            QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 15));
            QCOMPARE(rendered(button), down);
            QCOMPARE(form.modalResult(), TForm::mrNone);
            QVERIFY(form.isVisible());
            const QPoint releaseAt = releasedOver ? QPoint(20, 15) : QPoint(60, 15);
            QTest::mouseMove(button, releaseAt);
            QTest::mouseRelease(button, Qt::LeftButton, {}, releaseAt);
            if (releasedOver)
                QCOMPARE(form.modalResult(), TForm::mrCancel);
            else
                QCOMPARE(rendered(button), up);
        });
        if (QTest::currentTestFailed())
            return;
        QVERIFY(run.opened);
        QCOMPARE(run.closedByAct, releasedOver);
        QVERIFY(run.destroyed);
    }

    // The caption bar's close box ends the dialog the same way.
    void closeBox_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("about box") << "AboutBox";
        QTest::newRow("world times") << "Form1";
        QTest::newRow("metric tables") << "Form2";
    }

    void closeBox()
    {
        QFETCH(QString, dialog);
        int result = TForm::mrNone;
        const ModalRun run = runModal(dialog, [&](TForm& form) {
            QVERIFY(form.windowHandle());
            form.windowHandle()->close();
            result = form.modalResult();
        });
        if (QTest::currentTestFailed())
            return;
        QVERIFY(run.closedByAct);
        QCOMPARE(result, TForm::mrCancel);
        QVERIFY(run.destroyed);
    }

    // Escape ends every dialog as its close button does, also while the page control (which
    // takes every other key) has the focus; with a modifier it is not Escape.
    void escapeClosesTheDialog_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("focus"); // the control that must hold the focus, "" for none
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("about box") << "AboutBox"
                                   << "" << Qt::KeyboardModifiers() << true;
        QTest::newRow("world times") << "Form1"
                                     << "PageControl1" << Qt::KeyboardModifiers() << true;
        QTest::newRow("metric tables") << "Form2"
                                       << "PageControl1" << Qt::KeyboardModifiers() << true;
        QTest::newRow("shift+escape") << "Form2"
                                      << "PageControl1" << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
    }

    void escapeClosesTheDialog()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, focus);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, closes);
        int result = TForm::mrNone;
        QString page;
        const ModalRun run = runModal(dialog, [&](TForm& form) {
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QWidget* focused = QApplication::focusWidget();
            QCOMPARE(focused ? focused->objectName() : QString(), focus);
            if (auto* pages = form.findChild<TPageControl*>())
                page = pages->activePageName();
            QTest::keyClick(focused ? focused : &form, Qt::Key_Escape, modifiers);
            result = form.modalResult();
            if (auto* pages = form.findChild<TPageControl*>())
                QCOMPARE(pages->activePageName(), page);
        });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(run.closedByAct, closes);
        QCOMPARE(result, closes ? TForm::mrCancel : TForm::mrNone);
        QVERIFY(run.destroyed);
    }

    // A window that is not modal stays open on Escape.
    void escapeLeavesAWindowThatIsNotModal()
    {
        const std::unique_ptr<TForm> form = create(QStringLiteral("Form1"));
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(form->isVisible());
    }

    // A dialog whose layout cannot be read is destroyed, and the failure reaches the caller.
    void launcherDestroysDialogThatFailed()
    {
        QTemporaryDir module;
        QVERIFY(QDir().mkpath(module.filePath(QStringLiteral("layouts"))));
        // The layout without the artwork it names.
        QVERIFY(QFile::copy(QStringLiteral(":/lumaro/layouts/TForm2.layout"),
                            module.filePath(QStringLiteral("layouts/TForm2.layout"))));
        ResourceModule::setCurrentRoot(module.path());
        QWidget owner;
        QVERIFY_THROWS_EXCEPTION(AppError, DialogLauncher::showMetricTables(&owner));
        QVERIFY(owner.findChildren<QWidget*>().isEmpty());
    }

    // Pages chosen by mouse and keyboard show their pictures; the row of the chosen tab moves
    // next to the page.
    void choosingPages()
    {
        const std::unique_ptr<TForm> form = create(QStringLiteral("Form1"));
        auto* control = form->findChild<TPageControl*>(QStringLiteral("PageControl1"));
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        const QRect pageArea = control->displayRect().translated(control->pos());
        auto shows = [&](const char* picture) {
            return rendered(form.get()).copy(pageArea) ==
                   artwork(QLatin1String(picture)).copy(0, 0, pageArea.width(), pageArea.height());
        };
        QVERIFY(shows("worldtimes/page_ab.jpg"));

        const int qt = 6;
        QVERIFY(control->tabRect(qt).top() < control->tabRect(0).top());
        QTest::mouseClick(control, Qt::LeftButton, {}, control->tabRect(qt).center());
        QCOMPARE(control->activePageName(), QStringLiteral("QT"));
        QVERIFY(control->tabRect(qt).top() > control->tabRect(0).top());
        QVERIFY(shows("worldtimes/page_qt.jpg"));

        QTest::keyClick(control, Qt::Key_Right);
        QCOMPARE(control->activePageName(), QStringLiteral("TZ"));
        QVERIFY(shows("worldtimes/page_tz.jpg"));
        QTest::keyClick(control, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(control->activePageName(), QStringLiteral("AB"));
        QTest::keyClick(control, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(control->activePageName(), QStringLiteral("TZ"));
        QTest::keyClick(control, Qt::Key_Left);
        QCOMPARE(control->activePageName(), QStringLiteral("QT"));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
