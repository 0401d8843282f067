// The image button: which picture shows, how it is drawn, and the order of its events.
#define QTEST_QPA_MOUSE_HANDLING // mouse input travels through the window, as a user's does

#include "ControlsTestSupport.h"

#include "controls/TLumaroLButton.h"

using namespace ControlsTest;

namespace {
const QColor Up(255, 0, 0);
const QColor Down(0, 255, 0);
const QColor Over(0, 0, 255);
const QColor Disabled(60, 60, 60);

QString nameOf(QRgb pixel)
{
    const QColor c = QColor::fromRgb(pixel);
    if (c == Up)
        return QStringLiteral("up");
    if (c == Down)
        return QStringLiteral("down");
    if (c == Over)
        return QStringLiteral("over");
    if (c == Disabled)
        return QStringLiteral("disabled");
    if (c == Face)
        return QStringLiteral("face");
    return c.name();
}

// What the button shows now (a pixel inside every picture).
QString shown(TLumaroLButton& button)
{
    return nameOf(button.grab().toImage().pixel(5, 5));
}

void giveFourPictures(TLumaroLButton& button)
{
    button.setUpImage(solidPicture(Up));
    button.setDownImage(solidPicture(Down));
    button.setMouseOverImage(solidPicture(Over));
    button.setDisabledImage(solidPicture(Disabled));
}

// Rows of letters: '.' the parent's background, 'W' white, 'R', 'G', 'B', 'Y' colours.
QImage letterPicture(const QStringList& rows)
{
    QImage image(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            switch (rows[y][x].unicode()) {
            case 'W':
                image.setPixel(x, y, qRgb(255, 255, 255));
                break;
            case 'R':
                image.setPixel(x, y, qRgb(255, 0, 0));
                break;
            case 'G':
                image.setPixel(x, y, qRgb(0, 255, 0));
                break;
            case 'B':
                image.setPixel(x, y, qRgb(0, 0, 255));
                break;
            default:
                image.setPixel(x, y, qRgb(255, 255, 0));
                break;
            }
        }
    }
    return image;
}

QStringList letters(const QImage& image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            row += c == ParentBackground ? u'.'
                   : c == Qt::white      ? u'W'
                   : c == Qt::red        ? u'R'
                   : c == Qt::green      ? u'G'
                   : c == Qt::blue       ? u'B'
                   : c == Qt::yellow     ? u'Y'
                   : c == Face           ? u'F'
                                         : u'?';
        }
        rows << row;
    }
    return rows;
}

struct Step {
    enum Kind { Press, Release, Move, DoubleClick } kind;
    Qt::MouseButton button;
    QPoint at; // in the button's coordinates
};
using Gesture = QList<Step>;
} // namespace

Q_DECLARE_METATYPE(Gesture)

class TestLumaroLButton : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { useClassicPalette(); }

    void pictureByState_data()
    {
        QTest::addColumn<bool>("over");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("expected");
        QTest::newRow("up") << false << false << true << "up";
        QTest::newRow("mouse over") << true << false << true << "over";
        QTest::newRow("pressed") << true << true << true << "down";
        QTest::newRow("disabled") << false << false << false << "disabled";
        QTest::newRow("disabled under the mouse") << true << false << false << "disabled";
    }

    void pictureByState()
    {
        QFETCH(bool, over);
        QFETCH(bool, pressed);
        QFETCH(bool, enabled);
        QFETCH(QString, expected);
        HostWindow host;
        TLumaroLButton button(&host);
        button.setGeometry(50, 40, 40, 30);
        giveFourPictures(button);
        button.setEnabled(enabled);
        QVERIFY(host.showAndWait());
        if (over)
            QTest::mouseMove(&button, QPoint(10, 10));
        if (pressed)
            QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(shown(button), expected);
        if (pressed)
            QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
    }

    // Empty down, mouse-over and disabled pictures become copies of the up picture, when the up
    // picture is assigned and again at the next paint.
    void missingPicturesCopyTheUpPicture()
    {
        TLumaroLButton button;
        button.resize(40, 30);
        button.setUpImage(solidPicture(Up));
        for (const TPicture* picture :
             {&button.downImage(), &button.mouseOverImage(), &button.disabledImage()})
            QCOMPARE(picture->image(), button.upImage().image());

        button.setDownImage(TPicture());
        button.setMouseOverImage(TPicture());
        button.grab();
        QCOMPARE(button.downImage().image(), button.upImage().image());
        QCOMPARE(button.mouseOverImage().image(), button.upImage().image());
        button.setEnabled(false);
        QCOMPARE(shown(button), QStringLiteral("up"));
    }

    void narrowUpPicture_data()
    {
        QTest::addColumn<int>("upWidth");
        QTest::addColumn<bool>("fillsOthers");
        QTest::addColumn<bool>("plainFace");
        QTest::newRow("none") << 0 << false << true;
        QTest::newRow("1 pixel wide") << 1 << true << true;
        QTest::newRow("2 pixels wide") << 2 << true << false;
    }

    void narrowUpPicture()
    {
        QFETCH(int, upWidth);
        QFETCH(bool, fillsOthers);
        QFETCH(bool, plainFace);
        HostWindow host;
        TLumaroLButton button(&host);
        button.setGeometry(0, 0, 20, 10);
        if (upWidth > 0)
            button.setUpImage(solidPicture(Up, upWidth, 10));
        const QImage image = button.grab().toImage();
        QCOMPARE(button.downImage().width(), fillsOthers ? upWidth : 0);
        QCOMPARE(button.disabledImage().width(), fillsOthers ? upWidth : 0);
        const QString face(20, u'F');
        const QString picture = QString(upWidth, u'?') + QString(20 - upWidth, u'.');
        const QStringList rows = letters(image);
        for (const QString& row : rows) {
            if (plainFace)
                QCOMPARE(row, face);
            else
                QCOMPARE(row.mid(upWidth), picture.mid(upWidth));
        }
        if (!plainFace)
            QCOMPARE(image.pixelColor(0, 0), Up);
    }

    // White pixels and the part the picture does not cover, with and without transparency.
    void drawing_data()
    {
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<Colors::TColor>("key");
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QStringList>("picture");
        QTest::addColumn<QStringList>("expected");

        const QStringList rw = {"RW", "WB"};
        QTest::newRow("opaque: white stays, the rest is the parent's colour")
            << false << Colors::clWhite << false << true << rw << QStringList{"RW..", "WB..", "...."};
        QTest::newRow("transparent: white shows the parent")
            << true << Colors::clWhite << false << true << rw << QStringList{"R...", ".B..", "...."};
        QTest::newRow("transparent with a red key")
            << true << Colors::clRed << false << true << rw << QStringList{".W..", "WB..", "...."};
        QTest::newRow("stretch scales by repeating pixels")
            << false << Colors::clWhite << true << true << QStringList{"RG", "BY"}
            << QStringList{"RRGG", "BBYY", "BBYY"};
        QTest::newRow("the disabled picture is never scaled")
            << false << Colors::clWhite << true << false << QStringList{"RG", "BY"}
            << QStringList{"RG..", "BY..", "...."};
        QTest::newRow("transparent and stretched keeps the natural size")
            << true << Colors::clWhite << true << true << QStringList{"RG", "BW"}
            << QStringList{"RG..", "B...", "...."};
    }

    void drawing()
    {
        QFETCH(bool, transparent);
        QFETCH(Colors::TColor, key);
        QFETCH(bool, stretch);
        QFETCH(bool, enabled);
        QFETCH(QStringList, picture);
        QFETCH(QStringList, expected);
        HostWindow host;
        TLumaroLButton button(&host);
        button.setGeometry(10, 10, 4, 3);
        button.setUpImage(TPicture::fromImage(letterPicture(picture)));
        button.setTransparent(transparent);
        button.setTransparentColor(key);
        button.setStretch(stretch);
        button.setEnabled(enabled);
        QCOMPARE(letters(host.grab(button.geometry()).toImage()), expected);
        QCOMPARE(button.testAttribute(Qt::WA_OpaquePaintEvent), !transparent);
    }

    // The events of the gestures a user makes, with the picture showing when each is raised.
    void events_data()
    {
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<QStringList>("expected");
        const QPoint in(10, 10);
        const QPoint out(-20, 10);
        QTest::newRow("left click") << Gesture{{Step::Press, Qt::LeftButton, in},
                                               {Step::Release, Qt::LeftButton, in}}
                                    << QStringList{"MouseEnter over", "MouseDown down", "Click down",
                                                   "MouseUp over"};
        QTest::newRow("right click") << Gesture{{Step::Press, Qt::RightButton, in},
                                                {Step::Release, Qt::RightButton, in}}
                                     << QStringList{"MouseEnter over"};
        QTest::newRow("middle click")
            << Gesture{{Step::Press, Qt::MiddleButton, in}, {Step::Release, Qt::MiddleButton, in}}
            << QStringList{"MouseEnter over"};
        QTest::newRow("left press dragged out, released outside")
            << Gesture{{Step::Press, Qt::LeftButton, in},
                       {Step::Move, Qt::LeftButton, out},
                       {Step::Release, Qt::LeftButton, out}}
            << QStringList{"MouseEnter over", "MouseDown down", "MouseLeave down", "MouseUp up"};
        QTest::newRow("released on the right edge, just outside")
            << Gesture{{Step::Press, Qt::LeftButton, in}, {Step::Release, Qt::LeftButton, QPoint(40, 10)}}
            << QStringList{"MouseEnter over", "MouseDown down", "MouseLeave down", "MouseUp up"};
        QTest::newRow("dragged out and back in, released inside")
            << Gesture{{Step::Press, Qt::LeftButton, in},
                       {Step::Move, Qt::LeftButton, out},
                       {Step::Move, Qt::LeftButton, in},
                       {Step::Release, Qt::LeftButton, in}}
            << QStringList{"MouseEnter over", "MouseDown down", "MouseLeave down",
                           "MouseEnter down", "Click down",     "MouseUp over"};
        QTest::newRow("double click")
            << Gesture{{Step::DoubleClick, Qt::LeftButton, in}}
            << QStringList{"MouseEnter over", "MouseDown down", "Click down",  "MouseUp over",
                           "DblClick over",   "MouseDown down", "MouseUp over"};
    }

    void events()
    {
        QFETCH(Gesture, gesture);
        QFETCH(QStringList, expected);
        HostWindow host;
        auto* button = new TLumaroLButton(&host);
        button->setGeometry(50, 40, 40, 30);
        giveFourPictures(*button);
        QVERIFY(host.showAndWait());
        QTest::mouseMove(&host, QPoint(5, 5));

        QStringList log;
        auto record = [&](const char* event) { log << QStringLiteral("%1 %2").arg(event, shown(*button)); };
        connect(button, &TControl::OnMouseEnter, this, [&] { record("MouseEnter"); });
        connect(button, &TControl::OnMouseLeave, this, [&] { record("MouseLeave"); });
        connect(button, &TControl::OnMouseDown, this, [&] { record("MouseDown"); });
        connect(button, &TControl::OnMouseUp, this, [&] { record("MouseUp"); });
        connect(button, &TControl::OnClick, this, [&] { record("Click"); });
        connect(button, &TControl::OnDblClick, this, [&] { record("DblClick"); });

        for (const Step& step : gesture) {
            switch (step.kind) {
            case Step::Press:
                QTest::mouseMove(button, step.at);
                QTest::mousePress(button, step.button, {}, step.at);
                break;
            case Step::Release:
                QTest::mouseRelease(button, step.button, {}, step.at);
                break;
            case Step::Move:
                QTest::mouseMove(button, step.at);
                break;
            case Step::DoubleClick:
                QTest::mouseMove(button, step.at);
                QTest::mouseDClick(button, step.button, {}, step.at);
                break;
            }
        }
        QVERIFY2(log == expected, qPrintable(log.join(u',')));
        QVERIFY(!button->pressed());
    }

    // A button disabled by its own click handler does not stay pressed.
    void disabledByItsClickComesBackUp()
    {
        HostWindow host;
        auto* button = new TLumaroLButton(&host);
        button->setGeometry(50, 40, 40, 30);
        giveFourPictures(*button);
        QVERIFY(host.showAndWait());
        int mouseUps = 0;
        connect(button, &TControl::OnClick, this, [&] { button->setEnabled(false); });
        connect(button, &TControl::OnMouseUp, this, [&] { ++mouseUps; });
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(mouseUps, 0);
        button->setEnabled(true);
        QVERIFY(!button->pressed());
        QVERIFY(shown(*button) != QStringLiteral("down"));
    }
};

QTEST_MAIN(TestLumaroLButton)
#include "tst_lumarolbutton.moc"
