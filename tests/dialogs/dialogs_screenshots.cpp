// Pictures of the three dialogs as this machine draws them, and of the page controls with
// other tabs chosen: dialogs_screenshots OUTPUT_FOLDER.

#include "controls/ControlClasses.h"
#include "dialogs/TAboutBox.h"
#include "dialogs/TForm1.h"
#include "dialogs/TForm2.h"
#include "framework/TPageControl.h"

#include <QApplication>
#include <QDir>
#include <QTest>

namespace {
QString g_folder;

void save(QWidget& widget, const QString& name)
{
    const QString path = QDir(g_folder).filePath(name);
    if (!widget.grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
    qInfo("%s", qPrintable(path));
}

template <class T> T* shown()
{
    T* dialog = TForm::create<T>();
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog))
        qFatal("%s was not shown", dialog->metaObject()->className());
    return dialog;
}

// The dialog with each of the named pages chosen in turn, the page control holding the focus.
void saveWithPages(TForm* dialog, const QString& prefix, const QStringList& pages)
{
    auto* pageControl = dialog->findChild<TPageControl*>(QStringLiteral("PageControl1"));
    save(*dialog, prefix + QStringLiteral(".png"));
    pageControl->setFocus();
    for (const QString& page : pages) {
        pageControl->setActivePageName(page);
        save(*dialog, QStringLiteral("%1-%2.png").arg(prefix, page));
    }
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(g_folder);
    registerControlClasses();

    std::unique_ptr<TAboutBox> about(shown<TAboutBox>());
    save(*about, QStringLiteral("about-box.png"));

    std::unique_ptr<TForm1> worldTimes(shown<TForm1>());
    saveWithPages(worldTimes.get(), QStringLiteral("world-times"),
                  {QStringLiteral("NP"), QStringLiteral("TZ")});

    std::unique_ptr<TForm2> metric(shown<TForm2>());
    saveWithPages(metric.get(), QStringLiteral("metric-tables"),
                  {QStringLiteral("LenghtSheet"), QStringLiteral("TemprSheet")});
    return 0;
}
