// Pictures of the main window with a short document, for looking at them:
//   mainwindow_screenshots OUTPUT_FILE [--dark-desktop]
// Run it with QT_SCALE_FACTOR=2 for a high-density screen. --dark-desktop gives the application
// the colours a dark desktop theme gives it; the window keeps its own.

#include "app/ComponentClasses.h"
#include "app/StartupEnvironment.h"
#include "app/TMainForm.h"
#include "controls/TOwnerCheck.h"
#include "framework/TApplication.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"

#include <QApplication>
#include <QFile>
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
        qWarning("usage: mainwindow_screenshots OUTPUT_FILE [--dark-desktop]");
        return 2;
    }
    if (arguments.contains(QStringLiteral("--dark-desktop"))) {
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Window, QColor(36, 36, 36));
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        QApplication::setPalette(dark);
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

    std::unique_ptr<TMainForm> window(TForm::create<TMainForm>());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("the window was not shown");
    // The caret in the bold word of the first paragraph, so the box shows its mark.
    window->editor()->setSelStart(int(QStringLiteral("Dear reader,\nThis letter is written in LumaroStyle Notepad: a "
                                                      "small word processor in a window drawn from leather and gold. B")
                                          .size()));
    QApplication::processEvents();
    if (!window->grab().save(arguments.at(1)))
        qFatal("cannot write %s", qPrintable(arguments.at(1)));
    qInfo("%s", qPrintable(arguments.at(1)));
    return 0;
}
