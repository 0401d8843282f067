// The controls as the windows' layouts describe them: every property a layout stores, the
// handlers it binds, and pictures refused with a message that says where.
#include "ControlsTestSupport.h"

#include "controls/ControlClasses.h"
#include "controls/TLumaroLButton.h"
#include "controls/TOwnerCheck.h"
#include "controls/TUrlLabel.h"
#include "framework/AppError.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReader.h"
#include "framework/ResourceModule.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

namespace {
QByteArray bmpFile(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(Qt::red);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return data;
}

// A folder standing in for the module's resources, with the pictures the layouts name.
class ResourceFolder {
public:
    ResourceFolder() { ResourceModule::setCurrentRoot(m_root.path()); }
    ~ResourceFolder() { ResourceModule::setCurrentRoot(QString()); }
    void add(const QString& path, const QByteArray& data)
    {
        QDir(m_root.path()).mkpath(QFileInfo(path).path());
        QFile file(m_root.filePath(path));
        if (file.open(QIODevice::WriteOnly))
            file.write(data);
    }

private:
    QTemporaryDir m_root;
};

LayoutObject parse(const QString& text)
{
    return LayoutParser::parse(text, QStringLiteral("TTestWindow.layout"));
}
} // namespace

class TTestWindow : public QWidget {
    Q_OBJECT
public:
    QStringList handled;

public Q_SLOTS:
    void BoldButtonClick(QObject* sender)
    {
        handled << QStringLiteral("BoldButtonClick ") + sender->objectName();
    }
    void LumaroLButton1Click(QObject* sender)
    {
        handled << QStringLiteral("LumaroLButton1Click ") + sender->objectName();
    }
};

class TestControlLayouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerControlClasses(); }

    void layoutsConfigureTheControls()
    {
        ResourceFolder resources;
        resources.add(QStringLiteral("art/dialogs/close_up.bmp"), bmpFile(40, 30));
        resources.add(QStringLiteral("art/dialogs/close_down.bmp"), bmpFile(40, 30));
        const LayoutObject layout = parse(QStringList{
            QStringLiteral("object TestWindow : TTestWindow"),
            QStringLiteral("  object LumaroLButton1 : TLumaroLButton"),
            QStringLiteral("    Left = 233"),
            QStringLiteral("    Top = 87"),
            QStringLiteral("    Width = 40"),
            QStringLiteral("    Height = 30"),
            QStringLiteral("    Stretch = false"),
            QStringLiteral("    UpImage = file \"art/dialogs/close_up.bmp\""),
            QStringLiteral("    TransparentColor = clWhite"),
            QStringLiteral("    DownImage = file \"art/dialogs/close_down.bmp\""),
            QStringLiteral("    Transparent = false"),
            QStringLiteral("    OnClick = LumaroLButton1Click"),
            QStringLiteral("  end"),
            QStringLiteral("  object UrlLabel1 : TUrlLabel"),
            QStringLiteral("    Left = 155"),
            QStringLiteral("    Top = 90"),
            QStringLiteral("    Width = 64"),
            QStringLiteral("    Height = 13"),
            QStringLiteral("    Cursor = 5"),
            QStringLiteral("    Caption = \"Homepage\""),
            QStringLiteral("    Color = clMaroon"),
            QStringLiteral("    ParentColor = false"),
            QStringLiteral("    Font.Name = \"Courier\""),
            QStringLiteral("    Font.Height = -13"),
            QStringLiteral("    Font.Color = clWhite"),
            QStringLiteral("    Font.Style = [fsUnderline]"),
            QStringLiteral("    ParentFont = false"),
            QStringLiteral("    Transparent = true"),
            QStringLiteral("    ActiveColor = clSilver"),
            QStringLiteral("    URL = \"https://example.org/\""),
            QStringLiteral("  end"),
            QStringLiteral("  object BoldButton : TOwnerCheck"),
            QStringLiteral("    Left = 31"),
            QStringLiteral("    Top = 354"),
            QStringLiteral("    Width = 14"),
            QStringLiteral("    Height = 13"),
            QStringLiteral("    Caption = \"BoldButton\""),
            QStringLiteral("    CheckColor = clMaroon"),
            QStringLiteral("    State = cbGrayed"),
            QStringLiteral("    TabOrder = 11"),
            QStringLiteral("    OnClick = BoldButtonClick"),
            QStringLiteral("  end"),
            QStringLiteral("end"),
        }
                                              .join(u'\n'));
        TTestWindow window;
        LayoutReader::read(window, layout, LayoutReader::Mode::Create, QStringLiteral("TTestWindow.layout"));

        auto* button = window.findChild<TLumaroLButton*>(QStringLiteral("LumaroLButton1"));
        QVERIFY(button);
        QCOMPARE(button->geometry(), QRect(233, 87, 40, 30));
        QCOMPARE(button->upImage().fileData(), bmpFile(40, 30));
        QCOMPARE(button->disabledImage().image(), button->upImage().image());

        auto* label = window.findChild<TUrlLabel*>(QStringLiteral("UrlLabel1"));
        QVERIFY(label);
        QCOMPARE(label->url(), QStringLiteral("https://example.org/"));
        QCOMPARE(label->activeColor(), Colors::clSilver);
        QCOMPARE(label->font()->color(), Colors::clWhite);

        auto* check = window.findChild<TOwnerCheck*>(QStringLiteral("BoldButton"));
        QVERIFY(check);
        QCOMPARE(check->state(), TOwnerCheck::cbGrayed);
        QCOMPARE(check->checkColor(), Colors::clMaroon);
        QCOMPARE(check->size(), QSize(14, 13));

        check->setChecked(true);
        QMetaObject::invokeMethod(button, "OnClick", Q_ARG(QObject*, button));
        QCOMPARE(window.handled,
                 (QStringList{"BoldButtonClick BoldButton", "LumaroLButton1Click LumaroLButton1"}));
    }

    // A picture file that is not complete is refused with the layout, line, component and file.
    void damagedPictureRefused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        const QByteArray good = bmpFile(40, 30);
        QByteArray wrongSize = good;
        qToLittleEndian<quint32>(quint32(good.size() + 1), wrongSize.data() + 2);
        QTest::newRow("truncated") << good.left(good.size() - 7) << "size field";
        QTest::newRow("bytes appended") << good + QByteArray(5, 'x') << "size field";
        QTest::newRow("size field wrong") << wrongSize << "size field";
        QTest::newRow("header only") << good.left(20) << "truncated";
        QTest::newRow("not a picture") << QByteArray("hello") << "not a BMP";
    }

    void damagedPictureRefused()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        ResourceFolder resources;
        resources.add(QStringLiteral("art/buttons/open_up.bmp"), file);
        const LayoutObject layout = parse(QStringLiteral("object TestWindow : TTestWindow\n"
                                                         "  object LumaroLButton2 : TLumaroLButton\n"
                                                         "    Width = 45\n"
                                                         "    Stretch = false\n"
                                                         "    UpImage = file \"art/buttons/open_up.bmp\"\n"
                                                         "  end\n"
                                                         "end\n"));
        TTestWindow window;
        QString message;
        try {
            LayoutReader::read(window, layout, LayoutReader::Mode::Create,
                               QStringLiteral("TTestWindow.layout"));
        } catch (const AppError& error) {
            message = error.message();
        }
        QVERIFY2(message.startsWith(QStringLiteral("TTestWindow.layout:5:")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("LumaroLButton2")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("art/buttons/open_up.bmp")), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));

        // The button made so far keeps no picture and paints as an empty button.
        auto* button = window.findChild<TLumaroLButton*>(QStringLiteral("LumaroLButton2"));
        QVERIFY(button);
        QVERIFY(button->upImage().isEmpty());
        QCOMPARE(button->grab().toImage().pixelColor(5, 5), Colors::toQColor(Colors::clBtnFace));
    }
};

QTEST_MAIN(TestControlLayouts)
#include "tst_controllayouts.moc"
