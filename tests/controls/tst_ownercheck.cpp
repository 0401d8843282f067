// The owner-drawn check box: its pixels at the main window's size, and how mouse, keyboard and
// code toggle it.
#define QTEST_QPA_MOUSE_HANDLING // mouse input travels through the window, as a user's does

#include "ControlsTestSupport.h"
#include "ScriptedDialogs.h"

#include "controls/TOwnerCheck.h"
#include "framework/AppError.h"

#include <QKeyEvent>
#include <QLineEdit>

using namespace ControlsTest;

namespace {
const QColor Mark(128, 0, 0); // clMaroon, as the main window's boxes have it

QStringList letters(const QImage& image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            row += c == Face        ? u'F'
                   : c == Highlight ? u'H'
                   : c == Shadow    ? u'S'
                   : c == Qt::black ? u'K'
                   : c == Mark      ? u'M'
                                    : u'?';
        }
        rows << row;
    }
    return rows;
}

enum class Action {
    LeftClick,
    RightClick,
    MiddleClick,
    DoubleClick,
    DragOutReleaseOutside,
    DragOutAndBack,
    ReleaseOneBeyondRight,
    ReleaseOneBeyondBottom
};
} // namespace

class TestOwnerCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { useClassicPalette(); }

    // The main window's boxes are 14 by 13: only the box shows, the caption lies outside.
    void pixelsAtMainWindowSize_data()
    {
        QTest::addColumn<TOwnerCheck::TCheckBoxState>("state");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QStringList>("expected");

        // One letter a pixel: F face, H highlight, S shadow, K black, M the mark.
        // clang-format off
        const QStringList raised = {
            "FHHHHHHHHHHHHS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHSSSSSSSSSSSS",
        };
        const QStringList pressed = {
            "FKKKKKKKKKKKKK",
            "FKKKKKKKKKKKKK",
            "FKKFFFFFFFFFKK",
            "FKKFFFFFFFFFKK",
            "FKKFFFFFFFFFKK",
            "FKKFFFFFFFFFKK",
            "FKKFFFFFFFFFKK",
            "FKKFFFFFFFFFKK",
            "FKKFFFFFFFFFKK",
            "FKKFFFFFFFFFKK",
            "FKKFFFFFFFFFKK",
            "FKKKKKKKKKKKKK",
            "FKKKKKKKKKKKKK",
        };
        const QStringList checked = {
            "FHHHHHHHHHHHHS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHFFFFFFFFMMFS",
            "FHFFFFFFFMMFFS",
            "FHFFMFFFMMFFFS",
            "FHFMMFFMMFFFFS",
            "FHFMMFMMFFFFFS",
            "FHFMMMMFFFFFFS",
            "FHFMMMFFFFFFFS",
            "FHFMMFFFFFFFFS",
            "FHFFFFFFFFFFFS",
            "FHSSSSSSSSSSSS",
        };
        const QStringList checkedPressed = {
            "FKKKKKKKKKKKKK",
            "FKKKKKKKKKKKKK",
            "FKKFFFFFFFFFKK",
            "FKKFFFFFFFMMKK",
            "FKKFFFFFFMMFKK",
            "FKKFMFFFMMFFKK",
            "FKKMMFFMMFFFKK",
            "FKKMMFMMFFFFKK",
            "FKKMMMMFFFFFKK",
            "FKKMMMFFFFFFKK",
            "FKKMMFFFFFFFKK",
            "FKKKKKKKKKKKKK",
            "FKKKKKKKKKKKKK",
        };
        const QStringList grayed = {
            "FHHHHHHHHHHHHS",
            "FHFFFFFFFFFFFS",
            "FHFSSSSSSSSSFS",
            "FHFSSSSSSSSSFS",
            "FHFSSSSSSSSSFS",
            "FHFSSSSSSSSSFS",
            "FHFSSSSSSSSSFS",
            "FHFSSSSSSSSSFS",
            "FHFSSSSSSSSSFS",
            "FHFSSSSSSSSSFS",
            "FHFSSSSSSSSSFS",
            "FHFFFFFFFFFFFS",
            "FHSSSSSSSSSSSS",
        };
        const QStringList grayedPressed = {
            "FKKKKKKKKKKKKK",
            "FKKKKKKKKKKKKK",
            "FKKFFFFFFFFFKK",
            "FKKFSSSSSSSFKK",
            "FKKFSSSSSSSFKK",
            "FKKFSSSSSSSFKK",
            "FKKFSSSSSSSFKK",
            "FKKFSSSSSSSFKK",
            "FKKFSSSSSSSFKK",
            "FKKFSSSSSSSFKK",
            "FKKFFFFFFFFFKK",
            "FKKKKKKKKKKKKK",
            "FKKKKKKKKKKKKK",
        };
        // clang-format on

        using S = TOwnerCheck;
        QTest::newRow("unchecked, raised") << S::cbUnchecked << false << true << raised;
        QTest::newRow("unchecked, pressed") << S::cbUnchecked << true << true << pressed;
        QTest::newRow("checked, raised") << S::cbChecked << false << true << checked;
        QTest::newRow("checked, pressed") << S::cbChecked << true << true << checkedPressed;
        QTest::newRow("grayed, raised") << S::cbGrayed << false << true << grayed;
        QTest::newRow("grayed, pressed") << S::cbGrayed << true << true << grayedPressed;
        QTest::newRow("disabled looks the same") << S::cbChecked << false << false << checked;
    }

    void pixelsAtMainWindowSize()
    {
        QFETCH(TOwnerCheck::TCheckBoxState, state);
        QFETCH(bool, down);
        QFETCH(bool, enabled);
        QFETCH(QStringList, expected);
        HostWindow host;
        TOwnerCheck check(&host);
        check.setGeometry(31, 354, 14, 13);
        check.setCaption(QStringLiteral("BoldButton"));
        check.setCheckColor(Colors::clMaroon);
        check.setState(state);
        check.setDown(down);
        check.setEnabled(enabled);
        QCOMPARE(letters(check.grab().toImage()), expected);
    }

    // At its default size the caption shows right of the box, framed by the focus mark only
    // while the box has the focus.
    void captionAndFocusMark()
    {
        HostWindow host;
        auto* editor = new QLineEdit(&host);
        editor->setGeometry(0, 60, 100, 20);
        auto* check = new TOwnerCheck(&host);
        check->move(10, 10);
        check->setCaption(QStringLiteral("Bold"));
        QVERIFY(host.showAndWait());

        auto captionPixels = [&](const QImage& image) {
            int ink = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 18; x < image.width(); ++x)
                    ink += image.pixelColor(x, y) != Face;
            return ink;
        };
        const int unfocused = captionPixels(check->grab().toImage());
        QVERIFY(unfocused > 0);

        QTest::mouseClick(check, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(check->hasFocus());
        QVERIFY(check->hasFocusMark());
        const int focused = captionPixels(check->grab().toImage());
        QVERIFY(focused > unfocused);

        editor->setFocus();
        QVERIFY(!check->hasFocusMark());
        QCOMPARE(captionPixels(check->grab().toImage()), unfocused);
    }

    // The Tab key passes the box by.
    void noTabStop()
    {
        HostWindow host;
        auto* first = new QLineEdit(&host);
        auto* check = new TOwnerCheck(&host);
        auto* last = new QLineEdit(&host);
        first->setGeometry(0, 0, 50, 20);
        check->setGeometry(0, 30, 14, 13);
        last->setGeometry(0, 50, 50, 20);
        QWidget::setTabOrder(first, check);
        QWidget::setTabOrder(check, last);
        QVERIFY(host.showAndWait());
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Tab);
        QVERIFY(last->hasFocus());
    }

    // OnClick, with the value of Checked its handler sees, for each gesture of the mouse.
    void mouseToggles_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QStringList>("clicks");
        QTest::newRow("left click: the framework's click, then the toggle")
            << Action::LeftClick << QStringList{"false", "true"};
        QTest::newRow("right click toggles") << Action::RightClick << QStringList{"true"};
        QTest::newRow("middle click toggles") << Action::MiddleClick << QStringList{"true"};
        QTest::newRow("double click toggles twice")
            << Action::DoubleClick << QStringList{"false", "true", "false"};
        QTest::newRow("dragged out and released outside") << Action::DragOutReleaseOutside << QStringList{};
        QTest::newRow("dragged out and back") << Action::DragOutAndBack << QStringList{"false", "true"};
        QTest::newRow("released one pixel beyond the right edge")
            << Action::ReleaseOneBeyondRight << QStringList{"true"};
        QTest::newRow("released one pixel beyond the bottom edge")
            << Action::ReleaseOneBeyondBottom << QStringList{"true"};
    }

    void mouseToggles()
    {
        QFETCH(Action, action);
        QFETCH(QStringList, clicks);
        HostWindow host;
        auto* check = new TOwnerCheck(&host);
        check->setGeometry(31, 54, 14, 13);
        QVERIFY(host.showAndWait());
        QStringList seen;
        connect(check, &TControl::OnClick, this, [&] { seen << QVariant(check->checked()).toString(); });

        const QPoint in(6, 6);
        const QPoint out(30, 6);
        switch (action) {
        case Action::LeftClick:
            QTest::mouseClick(check, Qt::LeftButton, {}, in);
            break;
        case Action::RightClick:
            QTest::mouseClick(check, Qt::RightButton, {}, in);
            break;
        case Action::MiddleClick:
            QTest::mouseClick(check, Qt::MiddleButton, {}, in);
            break;
        case Action::DoubleClick:
            QTest::mouseDClick(check, Qt::LeftButton, {}, in);
            break;
        case Action::DragOutReleaseOutside:
            QTest::mousePress(check, Qt::LeftButton, {}, in);
            QVERIFY(check->down());
            QTest::mouseMove(check, out);
            QVERIFY(!check->down());
            QTest::mouseRelease(check, Qt::LeftButton, {}, out);
            break;
        case Action::DragOutAndBack:
            QTest::mousePress(check, Qt::LeftButton, {}, in);
            QTest::mouseMove(check, out);
            QTest::mouseMove(check, in);
            QVERIFY(check->down());
            QTest::mouseRelease(check, Qt::LeftButton, {}, in);
            break;
        case Action::ReleaseOneBeyondRight:
            QTest::mousePress(check, Qt::LeftButton, {}, in);
            QTest::mouseMove(check, QPoint(14, 6));
            QVERIFY(check->down());
            QTest::mouseRelease(check, Qt::LeftButton, {}, QPoint(14, 6));
            break;
        case Action::ReleaseOneBeyondBottom:
            QTest::mousePress(check, Qt::LeftButton, {}, in);
            QTest::mouseRelease(check, Qt::LeftButton, {}, QPoint(6, 13));
            break;
        }
        QCOMPARE(seen, clicks);
        QCOMPARE(check->checked(), clicks.isEmpty() ? false : clicks.last() == QLatin1String("true"));
        QVERIFY(!check->down());
    }

    // The space bar presses the box and toggles it once on release, however long it is held.
    void spaceBar()
    {
        HostWindow host;
        auto* check = new TOwnerCheck(&host);
        QVERIFY(host.showAndWait());
        check->setFocus();
        QStringList events;
        connect(check, &TControl::OnClick, this, [&] { events << QStringLiteral("Click"); });
        connect(check, &TCustomControl::OnKeyDown, this, [&](QObject*, int& key, Qt::KeyboardModifiers) {
            events << QStringLiteral("KeyDown %1").arg(key);
        });
        connect(check, &TCustomControl::OnKeyPress, this, [&] { events << QStringLiteral("KeyPress"); });

        QTest::keyPress(check, Qt::Key_Space);
        QVERIFY(check->down());
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(check, &repeat);
        QVERIFY(check->down());
        QTest::keyRelease(check, Qt::Key_Space);
        QVERIFY(!check->down());
        QVERIFY(check->checked());
        QTest::keyClick(check, Qt::Key_A);
        QVERIFY(check->checked());
        const QString space = QString::number(Qt::Key_Space);
        QCOMPARE(events, (QStringList{"KeyDown " + space, "KeyPress", "KeyDown " + space, "KeyPress", "Click",
                                      "KeyDown " + QString::number(Qt::Key_A), "KeyPress"}));
    }

    // Setting the state from code clicks exactly when it changes.
    void settingState_data()
    {
        using S = TOwnerCheck;
        QTest::addColumn<TOwnerCheck::TCheckBoxState>("initial");
        QTest::addColumn<std::function<void(TOwnerCheck&)>>("change");
        QTest::addColumn<TOwnerCheck::TCheckBoxState>("final");
        QTest::addColumn<int>("clicks");
        auto checked = [](bool value) { return std::function<void(S&)>([=](S& c) { c.setChecked(value); }); };
        auto state = [](S::TCheckBoxState value) {
            return std::function<void(S&)>([=](S& c) { c.setState(value); });
        };
        QTest::newRow("Checked true") << S::cbUnchecked << checked(true) << S::cbChecked << 1;
        QTest::newRow("Checked false, already") << S::cbUnchecked << checked(false) << S::cbUnchecked << 0;
        QTest::newRow("Checked true, already") << S::cbChecked << checked(true) << S::cbChecked << 0;
        QTest::newRow("Checked false on grayed") << S::cbGrayed << checked(false) << S::cbUnchecked << 1;
        QTest::newRow("Checked true on grayed") << S::cbGrayed << checked(true) << S::cbChecked << 1;
        QTest::newRow("State grayed") << S::cbChecked << state(S::cbGrayed) << S::cbGrayed << 1;
        QTest::newRow("State grayed, already") << S::cbGrayed << state(S::cbGrayed) << S::cbGrayed << 0;
    }

    void settingState()
    {
        QFETCH(TOwnerCheck::TCheckBoxState, initial);
        QFETCH(std::function<void(TOwnerCheck&)>, change);
        QFETCH(TOwnerCheck::TCheckBoxState, final);
        QFETCH(int, clicks);
        TOwnerCheck check;
        check.setState(initial);
        QList<TOwnerCheck::TCheckBoxState> seen;
        connect(&check, &TControl::OnClick, this, [&] { seen << check.state(); });
        change(check);
        QCOMPARE(check.state(), final);
        QCOMPARE(seen, QList<TOwnerCheck::TCheckBoxState>(clicks, final));
    }

    // A failing click handler: from code the failure goes to the caller; from the user it goes
    // to the error box and the box still toggles.
    void failingClickHandler()
    {
        ScriptedDialogs::Scope dialogs;
        HostWindow host;
        auto* check = new TOwnerCheck(&host);
        QVERIFY(host.showAndWait());
        connect(check, &TControl::OnClick, this, [] { throw AppError(QStringLiteral("handler failed")); });

        QVERIFY_THROWS_EXCEPTION(AppError, check->setChecked(true));
        QVERIFY(check->checked());
        QVERIFY(dialogs->errors.isEmpty());

        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!check->checked());
        QCOMPARE(dialogs->errors, (QStringList{"handler failed.", "handler failed."}));
    }
};

QTEST_MAIN(TestOwnerCheck)
#include "tst_ownercheck.moc"
