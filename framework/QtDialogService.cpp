#include "framework/QtDialogService.h"

#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/TApplication.h"
#include "framework/TFont.h"
#include "framework/TFontDialog.h"
#include "framework/TOpenDialog.h"
#include "framework/TPrintDialog.h"
#include "framework/TSaveDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>

namespace {
QWidget* dialogOwner()
{
    return QApplication::activeWindow();
}

void centreOnScreen(QWidget& dialog)
{
    dialog.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = dialog.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        dialog.move(frame.topLeft());
    }
}

// The folder and name a file dialog starts with: the kept name's file part in the initial
// folder, or in the name's own folder when there is no initial folder.
void prepareFileDialog(QFileDialog& qt, const TFileDialog& dialog)
{
    qt.setNameFilters(dialog.qtNameFilters());
    const QStringList filters = dialog.qtNameFilters();
    if (dialog.filterIndex() >= 1 && dialog.filterIndex() <= filters.size())
        qt.selectNameFilter(filters.at(dialog.filterIndex() - 1));
    const QFileInfo name(dialog.fileName());
    const bool nameHasFolder = dialog.fileName().contains(u'/');
    const QString folder = !dialog.initialDir().isEmpty() ? dialog.initialDir()
                           : nameHasFolder                ? name.absolutePath()
                                                          : QString();
    if (!folder.isEmpty())
        qt.setDirectory(folder);
    if (!dialog.fileName().isEmpty())
        qt.selectFile(nameHasFolder ? name.fileName() : dialog.fileName());
    if (!dialog.title().isEmpty())
        qt.setWindowTitle(dialog.title());
    QString suffix = dialog.defaultExt();
    while (suffix.startsWith(u'*') || suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    qt.setDefaultSuffix(suffix);
}
} // namespace

DialogService::Answer QtDialogService::confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, StringTable::load(StringId::ConfirmCaption), text,
                    QMessageBox::NoButton, dialogOwner());
    QPushButton* yes = box.addButton(StringTable::load(StringId::ButtonYes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(StringTable::load(StringId::ButtonNo), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(StringTable::load(StringId::ButtonCancel), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    centreOnScreen(box);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no)
        return Answer::No;
    return Answer::Cancel;
}

void QtDialogService::showError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, TApplication::instance().title(), text, QMessageBox::NoButton,
                    dialogOwner());
    // The error box must read even when the string table is what failed.
    const QString ok = StringTable::load(StringId::ButtonOk);
    box.addButton(ok.isEmpty() ? QStringLiteral("OK") : ok, QMessageBox::AcceptRole);
    box.exec();
}

bool QtDialogService::executeOpen(TOpenDialog& dialog)
{
    QFileDialog qt(dialogOwner());
    qt.setAcceptMode(QFileDialog::AcceptOpen);
    qt.setFileMode(QFileDialog::ExistingFile);
    prepareFileDialog(qt, dialog);
    if (qt.exec() != QDialog::Accepted || qt.selectedFiles().isEmpty())
        return false;
    dialog.accept(qt.selectedFiles().constFirst(), false);
    return true;
}

bool QtDialogService::executeSave(TSaveDialog& dialog)
{
    QFileDialog qt(dialogOwner());
    qt.setAcceptMode(QFileDialog::AcceptSave);
    qt.setFileMode(QFileDialog::AnyFile);
    qt.setOption(QFileDialog::DontConfirmOverwrite, !dialog.options().testFlag(TFileDialog::ofOverwritePrompt));
    prepareFileDialog(qt, dialog);
    if (qt.exec() != QDialog::Accepted || qt.selectedFiles().isEmpty())
        return false;
    dialog.accept(qt.selectedFiles().constFirst(), false);
    return true;
}

bool QtDialogService::executePrint(TPrintDialog&, QPrinter& printer)
{
    QPrintDialog qt(&printer, dialogOwner());
    qt.setOption(QAbstractPrintDialog::PrintToFile, false);
    qt.setOption(QAbstractPrintDialog::PrintPageRange, false);
    qt.setOption(QAbstractPrintDialog::PrintSelection, false);
    qt.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return qt.exec() == QDialog::Accepted;
}

bool QtDialogService::executeFont(TFontDialog& dialog)
{
    TFont& font = *dialog.font();
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font.toQFont(), dialogOwner());
    if (!ok)
        return false;
    font.setName(chosen.family());
    if (chosen.pointSize() > 0)
        font.setSize(chosen.pointSize());
    TFont::TFontStyles style;
    style.setFlag(TFont::fsBold, chosen.bold());
    style.setFlag(TFont::fsItalic, chosen.italic());
    style.setFlag(TFont::fsUnderline, chosen.underline());
    style.setFlag(TFont::fsStrikeOut, chosen.strikeOut());
    font.setStyle(style);
    return true;
}

namespace {
DialogService* g_installed = nullptr;
}

DialogService& DialogService::instance()
{
    static QtDialogService qtDialogs;
    return g_installed ? *g_installed : qtDialogs;
}

DialogService* DialogService::install(DialogService* service)
{
    DialogService* previous = g_installed;
    g_installed = service;
    return previous;
}
