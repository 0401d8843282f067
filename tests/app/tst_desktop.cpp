// The main window on a Linux desktop: its icon, its own colours on a dark desktop theme, its
// pictures on high-density screens, formatted text for other programs on the clipboard, and
// the paper of the locale.

#include "MainWindowFixture.h"
#include "controls/TLumaroLButton.h"
#include "controls/TOwnerCheck.h"
#include "framework/AppError.h"
#include "framework/LocalePaper.h"
#include "framework/TImage.h"
#include "framework/TPicture.h"
#include "richtext/TCustomRichEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

namespace {
QByteArray art(const QString& path)
{
    QFile file(QStringLiteral(":/lumaro/art/") + path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a control draws on a device of the given pixel ratio.
template <class Control> QImage drawn(Control& control, qreal ratio)
{
    QImage image(control.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    control.paint(painter);
    painter.end();
    image.setDevicePixelRatio(1);
    return image;
}

QImage rgb(const QByteArray& file)
{
    return QImage::fromData(file).convertToFormat(QImage::Format_RGB32);
}

QPalette darkDesktop()
{
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Window, QColor(36, 36, 36));
    dark.setColor(QPalette::Base, QColor(36, 36, 36));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    return dark;
}
} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // A steady caret, so two pictures of the window can be compared.
        QApplication::setCursorFlashTime(0);
    }

    void theWindowHasItsIcon()
    {
        MainWindowFixture fixture;
        const QIcon icon = fixture.form().windowIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
    }

    // The window looks the same on a dark desktop theme as on a light one: its ruler, check
    // marks, pickers and editor keep the skin's colours.
    void theSkinKeepsItsColoursOnADarkDesktop()
    {
        const QPalette desktop = QApplication::palette();
        auto picture = [](const QPalette& palette) {
            QApplication::setPalette(palette);
            MainWindowFixture fixture;
            fixture.show();
            fixture.type(QStringLiteral("Text"));
            fixture.form().findChild<TOwnerCheck*>(QStringLiteral("BoldButton"))->setChecked(true);
            return fixture.form().grab().toImage();
        };
        const QImage light = picture(desktop);
        const QImage dark = picture(darkDesktop());
        QApplication::setPalette(desktop);
        QCOMPARE(dark, light);
        // The ruler is light, with dark ticks on it.
        MainWindowFixture fixture;
        const QImage ruler = fixture.form().findChild<QWidget*>(QStringLiteral("Ruler"))->grab().toImage();
        QVERIFY(qGray(ruler.pixel(ruler.width() / 2, 20)) > 200);
    }

    // At 1.5 device pixels to a pixel and more, the pictures are drawn from their doubles, pixel
    // for pixel; below, from the pictures themselves.
    void picturesAtHighDensity_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("strip");
        QTest::newRow("1") << 1.0 << "buttons/new_up.bmp"
                           << "main/strip_top.jpg";
        QTest::newRow("1.25") << 1.25 << ""
                              << "";
        QTest::newRow("1.5") << 1.5 << ""
                             << "";
        QTest::newRow("2") << 2.0 << "buttons/new_up@2x.bmp"
                           << "main/strip_top@2x.jpg";
    }

    void picturesAtHighDensity()
    {
        QFETCH(qreal, ratio);
        QFETCH(QString, button);
        QFETCH(QString, strip);
        MainWindowFixture fixture;
        auto* newButton = fixture.form().findChild<TLumaroLButton*>(QStringLiteral("LumaroLButton1"));
        auto* topStrip = fixture.form().findChild<TImage*>(QStringLiteral("Image1"));
        const QImage buttonImage = drawn(*newButton, ratio);
        const QImage stripImage = drawn(*topStrip, ratio);
        if (!button.isEmpty()) {
            QCOMPARE(buttonImage, rgb(art(button)));
            QCOMPARE(stripImage, rgb(art(strip)));
            return;
        }
        // Between: drawn from the double from 1.5 on, so no row or column of the picture is
        // lost; below, from the picture.
        auto differing = [&](const QString& path) {
            const QImage expected =
                rgb(art(path)).scaled(buttonImage.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            int count = 0;
            for (int y = 0; y < expected.height(); ++y)
                for (int x = 0; x < expected.width(); ++x)
                    count += buttonImage.pixel(x, y) != expected.pixel(x, y);
            return count;
        };
        const int fromDouble = differing(QStringLiteral("buttons/new_up@2x.bmp"));
        const int fromPicture = differing(QStringLiteral("buttons/new_up.bmp"));
        if (ratio >= 1.5)
            QVERIFY2(fromDouble < fromPicture,
                     qPrintable(QStringLiteral("%1 %2").arg(fromDouble).arg(fromPicture)));
        else
            QVERIFY2(fromPicture < fromDouble,
                     qPrintable(QStringLiteral("%1 %2").arg(fromDouble).arg(fromPicture)));
    }

    // A double must match its picture; a wrong one is refused with the reason.
    void aWrongDoubleIsRefused_data()
    {
        QTest::addColumn<QByteArray>("twice");
        QTest::addColumn<QString>("says");
        QTest::newRow("same size") << art(QStringLiteral("buttons/open_up.bmp")) << "not 90 by 60";
        QTest::newRow("another format") << art(QStringLiteral("main/strip_top.jpg")) << "another format";
        QTest::newRow("truncated") << art(QStringLiteral("buttons/open_up@2x.bmp")).left(100) << "size field";
    }

    void aWrongDoubleIsRefused()
    {
        QFETCH(QByteArray, twice);
        QFETCH(QString, says);
        TPicture picture = TPicture::fromFileData(art(QStringLiteral("buttons/open_up.bmp")));
        try {
            picture.setDoubleFileData(twice);
            QFAIL("accepted");
        } catch (const AppError& error) {
            QVERIFY2(error.message().contains(says), qPrintable(error.message()));
        }
        QVERIFY(!picture.hasDouble());
    }

    // Other programs get HTML beside RTF and plain text, with the formatting.
    void copyingOffersHtml()
    {
        MainWindowFixture fixture;
        fixture.show();
        fixture.type(QStringLiteral("plain bold"));
        fixture.editor().setSelStart(6);
        fixture.editor().setSelLength(4);
        QTest::keyClick(&fixture.editor(), Qt::Key_B, Qt::ControlModifier);
        fixture.editor().SelectAll();
        fixture.editor().CopyToClipboard();
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data->hasHtml());
        const QString html = data->html();
        QVERIFY2(html.contains(QRegularExpression(QStringLiteral("font-weight:700;[^>]*>bold</span>"))),
                 qPrintable(html));
        QVERIFY(html.contains(QStringLiteral("plain ")));
        QVERIFY(data->hasFormat(QStringLiteral("text/rtf")));
        QCOMPARE(data->text(), QStringLiteral("plain bold"));
    }

    void paperOfTheLocale_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("id");
        QTest::newRow("A4") << 210 << 297 << int(QPageSize::A4);
        QTest::newRow("US Letter, in whole millimetres") << 216 << 279 << int(QPageSize::Letter);
        QTest::newRow("US Legal") << 216 << 356 << int(QPageSize::Legal);
        QTest::newRow("nothing said") << 0 << 0 << int(QPageSize::A4);
        QTest::newRow("a size of its own") << 100 << 150 << int(QPageSize::Custom);
    }

    void paperOfTheLocale()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, id);
        const QPageSize paper = LocalePaper::fromMillimetres(width, height);
        QCOMPARE(int(paper.id()), id);
        if (id == int(QPageSize::Custom))
            QCOMPARE(paper.size(QPageSize::Millimeter), QSizeF(width, height));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
