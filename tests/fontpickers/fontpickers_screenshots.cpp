// Pictures of both pickers with this machine's fonts, each with its list open, as the main
// window places and configures them: fontpickers_screenshots OUTPUT_FOLDER.

#include "fontpickers/TFontNameComboBox.h"
#include "fontpickers/TFontSizeComboBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTest>

namespace {
// The box and, below it, its open list.
QImage withOpenList(TPickerComboBox& picker)
{
    picker.showPopup();
    QWidget* list = picker.view()->window();
    if (!QTest::qWaitForWindowExposed(list))
        qFatal("the list of %s did not open", qPrintable(picker.objectName()));
    const QImage box = picker.grab().toImage();
    const QImage open = list->grab().toImage();
    picker.hidePopup();
    QImage picture(qMax(box.width(), open.width()), box.height() + open.height(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, box);
    painter.drawImage(0, box.height(), open);
    return picture;
}

void save(const QImage& image, const QString& path)
{
    if (!image.save(path))
        qFatal("cannot write %s", qPrintable(path));
    qInfo("%s", qPrintable(path));
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    QWidget window;
    window.resize(520, 60);
    auto* names = new TFontNameComboBox(&window);
    names->setObjectName(QStringLiteral("FontName"));
    names->setGeometry(267, 11, 145, 20);
    names->setDropDownCount(14);
    names->tfont()->setName(QStringLiteral("Default"));
    names->setOptions(TFontNameComboBox::foScreenFonts | TFontNameComboBox::foDisplayFont |
                      TFontNameComboBox::foDisplaySymbol);
    auto* sizes = new TFontSizeComboBox(&window);
    sizes->setObjectName(QStringLiteral("FontSize"));
    sizes->setGeometry(427, 11, 48, 21);
    sizes->tfont()->setName(QStringLiteral("Default"));
    sizes->setFontName(QStringLiteral("Arial"));
    names->Loaded();
    sizes->Loaded();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window did not show");

    names->setCurrentIndex(names->findText(QStringLiteral("DejaVu Sans")));
    save(withOpenList(*names), folder + QStringLiteral("/fontname-open.png"));
    save(withOpenList(*sizes), folder + QStringLiteral("/fontsize-open.png"));
    return 0;
}
