// The hyperlink label: its colours under the mouse, the target it opens, its menu and cursor.
#define QTEST_QPA_MOUSE_HANDLING // mouse input travels through the window, as a user's does

#include "ControlsTestSupport.h"

#include "controls/TUrlLabel.h"
#include "framework/CursorTable.h"
#include "framework/Desktop.h"
#include "framework/ResourceModule.h"

#include <QClipboard>
#include <QMenu>
#include <QTemporaryDir>

using namespace ControlsTest;

namespace {
// Tells what the desktop is asked to open, and when, instead of starting a browser.
class OpenRecorder {
public:
    explicit OpenRecorder(std::function<void(const QString&)> opened)
        : m_previous(Desktop::setOpenHandler([opened](const QString& target) {
              opened(target);
              return true;
          }))
    {
    }
    ~OpenRecorder() { Desktop::setOpenHandler(m_previous); }

private:
    Desktop::OpenHandler m_previous;
};

} // namespace

class TestUrlLabel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { ResourceModule::setCurrentRoot(QString()); }

    void defaults()
    {
        TUrlLabel label;
        QCOMPARE(label.font()->color(), Colors::clBlue);
        QCOMPARE(label.font()->style(), TFont::TFontStyles(TFont::fsUnderline));
        QCOMPARE(label.activeColor(), Colors::clPurple);
        QCOMPARE(label.property("Cursor").toInt(), TUrlLabel::HandCursor);
    }

    // What a click opens, and that it opens after OnClick.
    void clickOpensTarget_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("the URL") << "Homepage"
                                 << "https://example.org/"
                                 << QStringList{"OnClick", "open [https://example.org/]"};
        QTest::newRow("blanks around the URL are kept")
            << "Homepage"
            << " https://example.org/\t" << QStringList{"OnClick", "open [ https://example.org/\t]"};
        QTest::newRow("no URL: the caption") << "https://example.net/"
                                             << "" << QStringList{"OnClick", "open [https://example.net/]"};
        QTest::newRow("blank URL: the caption") << "/tmp/readme.txt"
                                                << " \t\n"
                                                << QStringList{"OnClick", "open [/tmp/readme.txt]"};
        QTest::newRow("blank URL and caption: nothing") << "  "
                                                        << "\x01 " << QStringList{"OnClick"};
    }

    void clickOpensTarget()
    {
        QFETCH(QString, caption);
        QFETCH(QString, url);
        QFETCH(QStringList, expected);
        QStringList log;
        OpenRecorder recorder([&](const QString& target) { log << QStringLiteral("open [%1]").arg(target); });
        HostWindow host;
        auto* label = new TUrlLabel(&host);
        label->setAutoSize(false);
        label->setGeometry(10, 10, 100, 16);
        label->setCaption(caption);
        label->setUrl(url);
        QVERIFY(host.showAndWait());
        connect(label, &TControl::OnClick, this, [&] { log << QStringLiteral("OnClick"); });
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(log, expected);
    }

    // The font colour while the left button is held, and after the release wherever it happens.
    void activeColourWhileHeld_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<Colors::TColor>("whileHeld");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("left click: still active while opening")
            << Qt::LeftButton << QPoint(5, 5) << Colors::clSilver
            << QStringList{"OnClick clSilver", "open clSilver", "OnMouseUp clWhite"};
        QTest::newRow("left released outside: restored, nothing opened")
            << Qt::LeftButton << QPoint(150, 5) << Colors::clSilver << QStringList{"OnMouseUp clWhite"};
        QTest::newRow("right button: colour unchanged")
            << Qt::RightButton << QPoint(5, 5) << Colors::clWhite << QStringList{"OnMouseUp clWhite"};
    }

    void activeColourWhileHeld()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, releaseAt);
        QFETCH(Colors::TColor, whileHeld);
        QFETCH(QStringList, expected);
        HostWindow host;
        auto* label = new TUrlLabel(&host);
        label->setCaption(QStringLiteral("Homepage"));
        label->setUrl(QStringLiteral("https://example.org/"));
        label->move(10, 10);
        label->font()->setColor(Colors::clWhite);
        label->setActiveColor(Colors::clSilver);
        label->setContextMenuPolicy(Qt::NoContextMenu); // the menu is another test's
        QVERIFY(host.showAndWait());

        auto colour = [&] {
            const Colors::TColor c = label->font()->color();
            return c == Colors::clWhite ? "clWhite" : c == Colors::clSilver ? "clSilver" : "other";
        };
        QStringList log;
        OpenRecorder recorder([&](const QString&) { log << QStringLiteral("open %1").arg(colour()); });
        connect(label, &TControl::OnClick, this, [&] { log << QStringLiteral("OnClick %1").arg(colour()); });
        connect(label, &TControl::OnMouseUp, this,
                [&] { log << QStringLiteral("OnMouseUp %1").arg(colour()); });

        QTest::mousePress(label, button, {}, QPoint(5, 5));
        QCOMPARE(label->font()->color(), whileHeld);
        QCOMPARE(label->textColor(), Colors::toQColor(whileHeld));
        QTest::mouseMove(label, releaseAt);
        QTest::mouseRelease(label, button, {}, releaseAt);
        QCOMPARE(log, expected);
        QCOMPARE(label->font()->color(), Colors::clWhite);
    }

    // A right click offers one entry, "Copy", which copies the caption, not the URL.
    void copyMenu()
    {
        HostWindow host;
        auto* label = new TUrlLabel(&host);
        label->setCaption(QStringLiteral("Homepage"));
        label->setUrl(QStringLiteral("https://example.org/"));
        label->move(10, 10);
        QVERIFY(host.showAndWait());

        QTest::mouseClick(label, Qt::RightButton, {}, QPoint(5, 5));
        QMenu* menu = label->popupMenu();
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("Copy"));
        QGuiApplication::clipboard()->clear();
        menu->actions().first()->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Homepage"));
        menu->close();
    }

    // The hand pointer comes from the program's resources; without it the entry goes and the
    // arrow shows.
    void handCursor()
    {
        {
            TUrlLabel label;
            QVERIFY(CursorTable::contains(TUrlLabel::HandCursor));
            QCOMPARE(label.cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(label.cursor().hotSpot(), QPoint(5, 0));
            QCOMPARE(label.cursor().pixmap().size(), QSize(32, 32));
        }

        QTemporaryDir moduleWithoutCursor;
        ResourceModule::setCurrentRoot(moduleWithoutCursor.path());
        TUrlLabel label;
        QVERIFY(!CursorTable::contains(TUrlLabel::HandCursor));
        QCOMPARE(label.cursor().shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(TestUrlLabel)
#include "tst_urllabel.moc"
