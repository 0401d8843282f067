// lumaro_review: draws every window of the program in each of its states into one contact sheet
// per window, for a reviewer to look at the whole product at once.
//
//   lumaro_review --out DIR [--program PATH]
//
// Writes DIR/contact-main-window.png, contact-about-box.png, contact-world-times.png and
// contact-metric-tables.png. The main window and the dialogs are drawn in English, then in each
// language the main window switches to whose module the program at PATH finds (its language
// modules lie beside it). Labels whose text is cut off are framed in red and listed, and make
// the exit status 1. The name picker is also drawn with the desktop's bitmap faces shown (Debian
// hides them), from a second run of this tool with a font configuration that accepts them.
#include "BitmapFaces.h"
#include "DialogReview.h"
#include "MainWindowReview.h"
#include "ReviewSheet.h"

#include "app/ComponentClasses.h"
#include "app/LocaleTable.h"
#include "app/StartupEnvironment.h"
#include "app/TMainForm.h"
#include "framework/FontSubstitutes.h"
#include "framework/ResourceModule.h"
#include "framework/TApplication.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <exception>
#include <memory>
#include <stdexcept>

namespace {
constexpr int NoBitmapFaces = 3;

struct Language {
    int localeId;
    QString name;
};

// A main window made as the program makes it at start-up in the given locale: its creation
// switches to that language when the program has the module.
std::unique_ptr<TMainForm> mainWindow(int localeId)
{
    ResourceModule::setCurrentRoot(ResourceModule::programRoot());
    StartupEnvironment::setLocaleId(localeId);
    std::unique_ptr<TMainForm> window(TForm::create<TMainForm>());
    window->show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowExposed(window.get()))
        throw std::runtime_error("the main window was not shown");
    return window;
}

// The name picker open at the bitmap faces, drawn by a second run of this tool that sees them.
void addBitmapFacesPicker(ReviewSheet& sheet, const QStringList& arguments)
{
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("fonts.conf"));
    const QString picture = folder.filePath(QStringLiteral("list.png"));
    if (!BitmapFaces::writeConfiguration(config))
        throw std::runtime_error("cannot write " + config.toStdString());
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FONTCONFIG_FILE"), config);
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.start(QCoreApplication::applicationFilePath(),
              arguments + QStringList{QStringLiteral("--bitmap-list"), picture});
    if (!run.waitForFinished(120000) || run.exitStatus() != QProcess::NormalExit)
        throw std::runtime_error("drawing the name picker with bitmap faces failed");
    if (run.exitCode() == NoBitmapFaces) {
        sheet.addText({QStringLiteral("No bitmap face is installed (Debian package xfonts-base).")},
                      QStringLiteral("FontName with the bitmap faces shown"));
        return;
    }
    QImage list;
    if (run.exitCode() != 0 || !list.load(picture))
        throw std::runtime_error("drawing the name picker with bitmap faces failed");
    sheet.add(list, QStringLiteral("FontName with the desktop's bitmap faces shown, at the first of them"));
}

int review(const QString& out, const QString& document, const QStringList& childArguments)
{
    ReviewSheet main(QStringLiteral("Main window"));
    ReviewSheet about(QStringLiteral("About box"));
    ReviewSheet worldTimes(QStringLiteral("World Times"));
    ReviewSheet metricTables(QStringLiteral("Metric Tables"));
    const QList<Language> languages = {{LocaleTable::EnglishUnitedStates, QStringLiteral("English")},
                                       {LocaleTable::GermanGermany, QStringLiteral("German")},
                                       {LocaleTable::FrenchFrance, QStringLiteral("French")}};
    QStringList englishTexts;
    for (const Language& language : languages) {
        const std::unique_ptr<TMainForm> window = mainWindow(language.localeId);
        const QStringList texts = MainWindowReview::texts(*window);
        const bool first = englishTexts.isEmpty();
        if (first) {
            englishTexts = texts;
        } else if (texts == englishTexts) {
            std::printf("%s: no language module, not drawn\n", qPrintable(language.name));
            continue;
        }
        main.beginSection(language.name);
        MainWindowReview::addWindow(main, *window, language.name, document);
        if (first) {
            MainWindowReview::addControls(main, *window);
            addBitmapFacesPicker(main, childArguments);
        }
        DialogReview::add({about, worldTimes, metricTables}, language.name, first);
    }
    ResourceModule::setCurrentRoot(ResourceModule::programRoot());

    QDir().mkpath(out);
    int faults = 0;
    const QList<QPair<const ReviewSheet*, QString>> sheets = {
        {&main, QStringLiteral("contact-main-window.png")},
        {&about, QStringLiteral("contact-about-box.png")},
        {&worldTimes, QStringLiteral("contact-world-times.png")},
        {&metricTables, QStringLiteral("contact-metric-tables.png")}};
    for (const auto& [sheet, name] : sheets) {
        const QString path = QDir(out).filePath(name);
        if (!sheet->render().save(path))
            throw std::runtime_error("cannot write " + path.toStdString());
        std::printf("%s%s\n", qPrintable(path),
                    sheet->faultCount()
                        ? qPrintable(QStringLiteral(": %1 cut-off texts").arg(sheet->faultCount()))
                        : "");
        faults += sheet->faultCount();
    }
    return faults == 0 ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("folder for the contact sheets"),
                                 QStringLiteral("dir"));
    const QCommandLineOption program(QStringLiteral("program"),
                                     QStringLiteral("the program whose language modules are used"),
                                     QStringLiteral("path"));
    // Internal: draws only the name picker open at the bitmap faces into a file.
    QCommandLineOption bitmapList(QStringLiteral("bitmap-list"), QString(), QStringLiteral("file"));
    bitmapList.setFlags(QCommandLineOption::HiddenFromHelp);
    options.addOptions({out, program, bitmapList});
    options.process(app);
    if (!options.isSet(out)) {
        std::fprintf(stderr, "lumaro_review: --out is required\n");
        return 2;
    }

    try {
        FontSubstitutes::install();
        registerComponentClasses();
        TApplication::instance().setTitle(QStringLiteral("LumaroStyle Notepad"));
        const QString programPath =
            options.isSet(program)
                ? QFileInfo(options.value(program)).absoluteFilePath()
                : QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../lumaropad"));
        StartupEnvironment::setProgramPath(QDir::cleanPath(programPath));
        StartupEnvironment::setArguments({});

        if (options.isSet(bitmapList)) {
            const std::unique_ptr<TMainForm> window = mainWindow(LocaleTable::EnglishUnitedStates);
            const QImage list = MainWindowReview::nameListAtBitmapFaces(*window);
            if (list.isNull())
                return NoBitmapFaces;
            return list.save(options.value(bitmapList)) ? 0 : 1;
        }

        QTemporaryDir folder;
        const QString document = folder.filePath(QStringLiteral("Lisbon notes.rtf"));
        if (!QFile::copy(QStringLiteral(":/review/sample.rtf"), document))
            throw std::runtime_error("the review document is missing");
        return review(
            options.value(out), document,
            {QStringLiteral("--out"), options.value(out), QStringLiteral("--program"), programPath});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lumaro_review: %s\n", e.what());
        return 1;
    }
}
