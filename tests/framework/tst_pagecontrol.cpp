// The page control: how its tabs go on rows, which page shows, choosing pages by mouse and
// keyboard, its drawing, and its pages and active page read from a layout.

#include "framework/AppError.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReader.h"
#include "framework/SkinPalette.h"
#include "framework/TForm.h"
#include "framework/TPageControl.h"
#include "framework/TTabSheet.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

namespace {
const QColor Face(192, 192, 192);
const QColor Highlight(255, 255, 255);
const QColor Shadow(128, 128, 128);
const QColor DarkShadow(0, 0, 0);

// Distinct classic system colours, so that each line of the drawing can be told apart.
void useClassicPalette()
{
    QPalette palette = SkinPalette::palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Button, Face);
        palette.setColor(group, QPalette::Light, Highlight);
        palette.setColor(group, QPalette::Dark, Shadow);
        palette.setColor(group, QPalette::Shadow, DarkShadow);
        palette.setColor(group, QPalette::ButtonText, Qt::black);
    }
    SkinPalette::setPalette(palette);
}

// A page control with a page for each caption, each page named "Page<index>".
struct Pages {
    QWidget host;
    TPageControl* control;

    explicit Pages(const QStringList& captions, bool multiLine = true) : control(new TPageControl(&host))
    {
        host.resize(800, 400);
        control->setMultiLine(multiLine);
        for (int i = 0; i < captions.size(); ++i) {
            auto* page = new TTabSheet(control);
            page->setObjectName(QStringLiteral("Page%1").arg(i));
            page->setCaption(captions[i]);
        }
    }

    // The width the tabs take on one row, measured with the control wide enough for them all.
    int naturalWidth(int firstTabs)
    {
        const int saved = control->width();
        const bool multiLine = control->multiLine();
        control->setMultiLine(false);
        control->resize(2000, control->height());
        int width = 0;
        for (int i = 0; i < firstTabs; ++i)
            width += control->tabRect(i).width();
        const int margins = 2 * control->tabRect(0).left();
        control->setMultiLine(multiLine);
        control->resize(saved, control->height());
        return width + margins;
    }

    // The pages' indexes on each row as shown, top row first.
    QList<QList<int>> shownRows() const
    {
        QMap<int, QList<int>> byTop;
        for (int i = 0; i < control->PageCount(); ++i)
            byTop[control->tabRect(i).top()].append(i);
        return byTop.values();
    }
};

QPoint centreOf(const QRect& r)
{
    return r.center();
}
} // namespace

class TestPageControl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { useClassicPalette(); }

    // Rows: as many tabs as fit, evened out by count where that still fits, the selected
    // tab's row shown next to the page; several rows each fill the width.
    void rows_data()
    {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("fitting"); // the control is as wide as the first tabs need
        QTest::addColumn<bool>("multiLine");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QList<QList<int>>>("expected");
        // Figures are equally wide in any face, so these tabs are too.
        QStringList eight;
        for (int i = 1; i <= 8; ++i)
            eight << QStringLiteral("Page %1").arg(i);
        QTest::newRow("all fit: one row")
            << eight << 8 << true << 0 << QList<QList<int>>{{0, 1, 2, 3, 4, 5, 6, 7}};
        QTest::newRow("seven of eight fit: two rows of four, first page's row below")
            << eight << 7 << true << 0 << QList<QList<int>>{{4, 5, 6, 7}, {0, 1, 2, 3}};
        QTest::newRow("a page of the second row chosen: its row below")
            << eight << 7 << true << 5 << QList<QList<int>>{{0, 1, 2, 3}, {4, 5, 6, 7}};
        QTest::newRow("three rows turn round, keeping their order")
            << eight << 3 << true << 3 << QList<QList<int>>{{6, 7}, {0, 1, 2}, {3, 4, 5}};
        QTest::newRow("evened rows would not fit: rows as filled")
            << QStringList{"a", "b", "c", "Volume(2) / Temperature"} << 3 << true << 0
            << QList<QList<int>>{{3}, {0, 1, 2}};
        QTest::newRow("single line: one row whatever the width")
            << eight << 3 << false << 6 << QList<QList<int>>{{0, 1, 2, 3, 4, 5, 6, 7}};
    }

    void rows()
    {
        QFETCH(QStringList, captions);
        QFETCH(int, fitting);
        QFETCH(bool, multiLine);
        QFETCH(int, selected);
        QFETCH(QList<QList<int>>, expected);
        Pages pages(captions, multiLine);
        pages.control->resize(pages.naturalWidth(fitting), 200);
        pages.control->setActivePage(pages.control->page(selected));

        QCOMPARE(pages.shownRows(), expected);
        QCOMPARE(pages.control->rowCount(), expected.size());
        if (expected.size() < 2)
            return;
        const int margin = pages.control->tabRect(expected[0][0]).left();
        for (const QList<int>& row : expected) {
            QCOMPARE(pages.control->tabRect(row.first()).left(), margin);
            for (qsizetype k = 1; k < row.size(); ++k)
                QCOMPARE(pages.control->tabRect(row[k]).left(),
                         pages.control->tabRect(row[k - 1]).right() + 1);
            QCOMPARE(pages.control->tabRect(row.last()).right(), pages.control->width() - margin - 1);
        }
        // The rows lie one on another, and the pages lie below the last.
        const QRect bottom = pages.control->tabRect(expected.last().first());
        QVERIFY(pages.control->displayRect().top() > bottom.bottom());
        QCOMPARE(bottom.top(), pages.control->tabRect(expected.first().first()).top() +
                                   (expected.size() - 1) * bottom.height());
    }

    // Only the active page shows, over the display area; pages follow the control's size.
    void pagesFillTheDisplayArea()
    {
        Pages pages({"One", "Two", "Three"});
        pages.control->setGeometry(10, 10, 300, 200);
        pages.host.show();
        QCOMPARE(pages.control->activePage(), pages.control->page(0)); // the first page by default
        pages.control->setActivePage(pages.control->page(1));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(pages.control->page(i)->geometry(), pages.control->displayRect());
            QCOMPARE(pages.control->page(i)->isVisible(), i == 1);
        }
        pages.control->resize(260, 240);
        QCOMPARE(pages.control->page(1)->geometry(), pages.control->displayRect());
        QCOMPARE(pages.control->displayRect().bottom(), 240 - 5);
    }

    // Removing the active page makes its neighbour active; pages outlive no page control.
    void removingPages()
    {
        Pages pages({"One", "Two", "Three"});
        pages.host.show();
        pages.control->setActivePage(pages.control->page(2));
        delete pages.control->page(2);
        QCOMPARE(pages.control->tabIndex(), 1);
        QVERIFY(pages.control->page(1)->isVisible());
        delete pages.control->page(0);
        QCOMPARE(pages.control->activePageName(), QStringLiteral("Page1"));
        QCOMPARE(pages.control->page(0)->pageIndex(), 0);

        auto* moved = pages.control->page(0);
        moved->setPageControl(nullptr);
        QCOMPARE(pages.control->PageCount(), 0);
        QVERIFY(!pages.control->activePage());
        moved->setPageControl(pages.control);
        QCOMPARE(pages.control->activePage(), moved);
        delete pages.control; // deletes its page, which must not reach back into it
    }

    // A left press on a tab chooses its page at once; the events say so, and OnChanging can
    // refuse. Pressing the chosen tab, the page or with another button changes nothing.
    void choosingByMouse_data()
    {
        QTest::addColumn<int>("tab"); // -1: a point on the page
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("allow");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("another tab") << 2 << Qt::LeftButton << true << 2
                                     << QStringList{"OnChanging 0", "OnChange 2"};
        QTest::newRow("refused") << 2 << Qt::LeftButton << false << 0 << QStringList{"OnChanging 0"};
        QTest::newRow("the chosen tab") << 0 << Qt::LeftButton << true << 0 << QStringList{};
        QTest::newRow("the page") << -1 << Qt::LeftButton << true << 0 << QStringList{};
        QTest::newRow("right button") << 2 << Qt::RightButton << true << 0 << QStringList{};
    }

    void choosingByMouse()
    {
        QFETCH(int, tab);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, allow);
        QFETCH(int, expected);
        QFETCH(QStringList, events);
        Pages pages({"One", "Two", "Three"});
        pages.control->resize(300, 200);
        pages.host.show();
        QStringList log;
        connect(pages.control, &TPageControl::OnChanging, this, [&](QObject*, bool& allowChange) {
            log << QStringLiteral("OnChanging %1").arg(pages.control->tabIndex());
            allowChange = allow;
        });
        connect(pages.control, &TPageControl::OnChange, this,
                [&] { log << QStringLiteral("OnChange %1").arg(pages.control->tabIndex()); });
        const QPoint at =
            tab < 0 ? pages.control->displayRect().center() : centreOf(pages.control->tabRect(tab));
        QTest::mousePress(pages.control, button, {}, at);
        QCOMPARE(pages.control->tabIndex(), expected);
        QTest::mouseRelease(pages.control, button, {}, at);
        QCOMPARE(log, events);

        // A choice made in code raises nothing.
        pages.control->setActivePage(pages.control->page(1));
        QCOMPARE(log, events);
    }

    // The selected tab stands out over its neighbours, so a press there chooses it.
    void raisedTabWinsItsEdges()
    {
        Pages pages({"One", "Two", "Three"});
        pages.control->resize(300, 200);
        pages.control->setActivePage(pages.control->page(1));
        const QRect chosen = pages.control->tabRect(1);
        QCOMPARE(pages.control->indexOfTabAt(QPoint(chosen.left() - 1, chosen.center().y())), 1);
        QCOMPARE(pages.control->indexOfTabAt(QPoint(chosen.right() + 1, chosen.center().y())), 1);
        QCOMPARE(pages.control->indexOfTabAt(QPoint(chosen.center().x(), chosen.top() - 1)), 1);
        QCOMPARE(pages.control->indexOfTabAt(QPoint(chosen.left() - 3, chosen.center().y())), 0);
        QCOMPARE(pages.control->indexOfTabAt(pages.control->displayRect().center()), -1);
    }

    void choosingByKeyboard_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("expected");
        const Qt::KeyboardModifiers none;
        QTest::newRow("right") << 1 << int(Qt::Key_Right) << none << 2;
        QTest::newRow("down") << 1 << int(Qt::Key_Down) << none << 2;
        QTest::newRow("left") << 1 << int(Qt::Key_Left) << none << 0;
        QTest::newRow("up") << 1 << int(Qt::Key_Up) << none << 0;
        QTest::newRow("right on the last page stays") << 3 << int(Qt::Key_Right) << none << 3;
        QTest::newRow("left on the first page stays") << 0 << int(Qt::Key_Left) << none << 0;
        QTest::newRow("ctrl+tab") << 1 << int(Qt::Key_Tab) << Qt::KeyboardModifiers(Qt::ControlModifier) << 2;
        QTest::newRow("ctrl+tab wraps")
            << 3 << int(Qt::Key_Tab) << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
        QTest::newRow("ctrl+shift+tab wraps")
            << 0 << int(Qt::Key_Backtab) << (Qt::ControlModifier | Qt::ShiftModifier) << 3;
        QTest::newRow("tab alone moves the focus, not the page") << 1 << int(Qt::Key_Tab) << none << 1;
        QTest::newRow("other keys") << 1 << int(Qt::Key_Home) << none << 1;
    }

    void choosingByKeyboard()
    {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, expected);
        Pages pages({"One", "Two", "Three", "Four"});
        pages.control->resize(300, 200);
        pages.control->setActivePage(pages.control->page(start));
        int changes = 0;
        connect(pages.control, &TPageControl::OnChange, this, [&] { ++changes; });
        pages.host.show();
        pages.control->setFocus();
        QTest::keyClick(pages.control, Qt::Key(key), modifiers);
        QCOMPARE(pages.control->tabIndex(), expected);
        QCOMPARE(changes, expected == start ? 0 : 1);
    }

    // A handler of OnKeyDown that clears the key keeps the page.
    void clearedKeyIsIgnored()
    {
        Pages pages({"One", "Two"});
        pages.host.show();
        connect(pages.control, &TCustomControl::OnKeyDown, this,
                [](QObject*, int& key, Qt::KeyboardModifiers) { key = 0; });
        QTest::keyClick(pages.control, Qt::Key_Right);
        QCOMPARE(pages.control->tabIndex(), 0);
    }

    // The frame is raised; the selected tab stands two pixels higher than its row and opens
    // into the page, where the other tabs sit on the frame's line. The focus mark shows only
    // with the focus.
    void drawing()
    {
        Pages pages({"One", "Two", "Three", "Four"});
        pages.control->resize(pages.naturalWidth(3), 160);
        pages.control->setActivePage(pages.control->page(1));
        QCOMPARE(pages.control->rowCount(), 2);
        QImage image(pages.control->size(), QImage::Format_RGB32);
        {
            QPainter painter(&image);
            pages.control->paint(painter);
        }
        const QRect chosen = pages.control->tabRect(1);
        const QRect neighbour = pages.control->tabRect(0);
        const QRect upper = pages.control->tabRect(2);
        const int frameTop = chosen.bottom() + 1;
        const int x = chosen.center().x();
        QCOMPARE(image.pixelColor(x, chosen.top() - 2), Highlight);
        QCOMPARE(image.pixelColor(x, frameTop), Face);
        QCOMPARE(image.pixelColor(neighbour.center().x(), neighbour.top()), Highlight);
        QCOMPARE(image.pixelColor(neighbour.center().x(), frameTop), Highlight);
        QCOMPARE(image.pixelColor(upper.center().x(), upper.top()), Highlight);
        QCOMPARE(image.pixelColor(upper.right(), upper.center().y()), DarkShadow);
        QCOMPARE(image.pixelColor(upper.right() - 1, upper.center().y()), Shadow);
        const int w = image.width();
        const int h = image.height();
        QCOMPARE(image.pixelColor(0, h / 2 + 20), Highlight);
        QCOMPARE(image.pixelColor(w - 1, h / 2 + 20), DarkShadow);
        QCOMPARE(image.pixelColor(w - 2, h / 2 + 20), Shadow);
        QCOMPARE(image.pixelColor(w / 2, h - 1), DarkShadow);
        QCOMPARE(image.pixelColor(w / 2, h - 2), Shadow);

        pages.host.show();
        pages.control->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&pages.host));
        QVERIFY(pages.control->hasFocus());
        QImage focused(pages.control->size(), QImage::Format_RGB32);
        {
            QPainter painter(&focused);
            pages.control->paint(painter);
        }
        QVERIFY(focused.copy(chosen) != image.copy(chosen));
        QCOMPARE(focused.copy(upper), image.copy(upper));
    }

    // A layout names the active page before its pages exist; an unknown name is refused.
    void activePageFromLayout_data()
    {
        QTest::addColumn<QString>("activePage");
        QTest::addColumn<QString>("expected"); // empty: refused
        QTest::newRow("named page") << "Second"
                                    << "Second";
        QTest::newRow("unknown page") << "Third"
                                      << "";
    }

    void activePageFromLayout()
    {
        QFETCH(QString, activePage);
        QFETCH(QString, expected);
        const QString text = QStringLiteral("object Window : TForm\n"
                                            "  object Pages : TPageControl\n"
                                            "    ActivePage = \"%1\"\n"
                                            "    MultiLine = true\n"
                                            "    object First : TTabSheet\n"
                                            "      Caption = \"1\"\n"
                                            "    end\n"
                                            "    object Second : TTabSheet\n"
                                            "      Caption = \"2\"\n"
                                            "    end\n"
                                            "  end\n"
                                            "end\n")
                                 .arg(activePage);
        TForm window;
        auto read = [&] {
            LayoutReader::read(window, LayoutParser::parse(text, QStringLiteral("Test.layout")),
                               LayoutReader::Mode::Create, QStringLiteral("Test.layout"));
        };
        if (expected.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(AppError, read());
            return;
        }
        read();
        auto* control = window.findChild<TPageControl*>(QStringLiteral("Pages"));
        QVERIFY(control);
        QCOMPARE(control->PageCount(), 2);
        QCOMPARE(control->page(0)->caption(), QStringLiteral("1"));
        QVERIFY(control->multiLine());
        QCOMPARE(control->activePageName(), expected);
    }
};

QTEST_MAIN(TestPageControl)
#include "tst_pagecontrol.moc"
