// Pictures of the main window with a short document, for looking at them:
//   mainwindow_screenshots OUTPUT_FILE [--dark-desktop] [--focus COMPONENT]
// Run it with QT_SCALE_FACTOR=2 for a high-density screen. --dark-desktop gives the application
// the colours a dark desktop theme gives it and draws the window on a dark desktop beside a
// dialog of the desktop's own: the window keeps its colours. --focus gives a control the
// keyboard focus, as Tab does, to show its focus mark.

#include "app/ComponentClasses.h"
#include "app/StartupEnvironment.h"
#include "app/TMainForm.h"
#include "controls/TOwnerCheck.h"
#include "framework/TApplication.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {
const char* const Letter =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Liberation Serif;}{\\f1 Liberation Sans;}}"
    "\\f1\\fs32\\b Dear reader,\\b0\\par\\f0\\fs24 "
    "\\fi360 This letter is written in {\\i LumaroStyle Notepad}: a small word processor in a window "
    "drawn from leather and gold. {\\b Bold}, {\\i italic} and {\\ul underlined} text, faces and "
    "sizes come from the controls around the page.\\par"
    "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\fi-360\\li720 Bullets from the check box\\par"
    "{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\fi-360\\li720 Indents dragged on the ruler\\par"
    "\\pard\\f0\\fs24 Yours sincerely,\\par}";
} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        qWarning("usage: mainwindow_screenshots OUTPUT_FILE [--dark-desktop] [--focus COMPONENT]");
        return 2;
    }
    const bool dark = arguments.contains(QStringLiteral("--dark-desktop"));
    if (dark) {
        QPalette theme(QColor(53, 53, 53));
        theme.setColor(QPalette::Window, QColor(36, 36, 36));
        theme.setColor(QPalette::Base, QColor(30, 30, 30));
        theme.setColor(QPalette::Text, QColor(230, 230, 230));
        theme.setColor(QPalette::WindowText, QColor(230, 230, 230));
        QApplication::setPalette(theme);
    }
    QApplication::setCursorFlashTime(0);
    registerComponentClasses();
    TApplication::instance().setTitle(QStringLiteral("LumaroStyle Notepad"));

    QTemporaryDir folder;
    const QString document = folder.filePath(QStringLiteral("letter.rtf"));
    QFile file(document);
    if (!file.open(QIODevice::WriteOnly) || file.write(Letter) < 0)
        qFatal("cannot write the document");
    file.close();
    StartupEnvironment::setProgramPath(QApplication::applicationFilePath());
    StartupEnvironment::setArguments({document});

    // The pointer away from the buttons, so none shows its mouse-over picture.
    QCursor::setPos(4000, 4000);
    std::unique_ptr<TMainForm> window(TForm::create<TMainForm>());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("the window was not shown");
    // The caret in the bold word of the first paragraph, so the box shows its mark.
    window->editor()->setSelStart(
        int(QStringLiteral("Dear reader,\nThis letter is written in LumaroStyle Notepad: a "
                           "small word processor in a window drawn from leather and gold. B")
                .size()));
    if (const qsizetype focus = arguments.indexOf(QStringLiteral("--focus")); focus > 0) {
        if (auto* control = window->findChild<QWidget*>(arguments.value(focus + 1)))
            control->setFocus(Qt::TabFocusReason);
    }
    QApplication::processEvents();
    QImage picture = window->grab().toImage();
    if (dark) {
        // Beside the window, a dialog of the desktop's own, in the desktop's dark colours.
        QMessageBox box(QMessageBox::Information, QStringLiteral("A dialog of the desktop"),
                        QStringLiteral("The desktop's own dialogs keep its dark theme;\n"
                                       "the skinned window keeps its own colours."));
        box.show();
        if (!QTest::qWaitForWindowExposed(&box))
            qFatal("the dialog was not shown");
        const QImage dialog = box.grab().toImage();
        const qreal ratio = picture.devicePixelRatio();
        QImage desktop((picture.width() + dialog.width()) + int(48 * ratio),
                       qMax(picture.height(), dialog.height()) + int(32 * ratio), QImage::Format_RGB32);
        desktop.fill(QColor(24, 24, 28));
        QPainter painter(&desktop);
        painter.drawImage(QPoint(int(16 * ratio), int(16 * ratio)), picture);
        painter.drawImage(QPoint(picture.width() + int(32 * ratio), int(16 * ratio)), dialog);
        painter.end();
        picture = desktop;
    }
    if (!picture.save(arguments.at(1)))
        qFatal("cannot write %s", qPrintable(arguments.at(1)));
    qInfo("%s", qPrintable(arguments.at(1)));
    return 0;
}
