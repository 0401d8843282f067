#include "ScriptedDialogs.h"

#include "framework/TFontDialog.h"
#include "framework/TOpenDialog.h"
#include "framework/TSaveDialog.h"

DialogService::Answer ScriptedDialogs::confirm(const QString& text)
{
    asked.append(QStringLiteral("confirm"));
    confirmTexts.append(text);
    return confirmAnswers.isEmpty() ? Answer::Cancel : confirmAnswers.takeFirst();
}

void ScriptedDialogs::showError(const QString& text)
{
    asked.append(QStringLiteral("error"));
    errors.append(text);
}

bool ScriptedDialogs::executeOpen(TOpenDialog& dialog)
{
    asked.append(QStringLiteral("open"));
    lastOpenFilter = dialog.filter();
    lastOpenInitialDir = dialog.initialDir();
    if (openAnswers.isEmpty())
        return false;
    const FileAnswer answer = openAnswers.takeFirst();
    if (answer.accept)
        dialog.accept(answer.fileName, answer.readOnly);
    return answer.accept;
}

bool ScriptedDialogs::executeSave(TSaveDialog& dialog)
{
    asked.append(QStringLiteral("save"));
    lastSaveFilter = dialog.filter();
    lastSaveInitialDir = dialog.initialDir();
    lastSaveFileName = dialog.fileName();
    lastSaveDefaultExt = dialog.defaultExt();
    if (saveAnswers.isEmpty())
        return false;
    const FileAnswer answer = saveAnswers.takeFirst();
    if (answer.accept)
        dialog.accept(answer.fileName, answer.readOnly);
    return answer.accept;
}

bool ScriptedDialogs::executePrint(TPrintDialog&, QPrinter&)
{
    asked.append(QStringLiteral("print"));
    return printAnswers.isEmpty() ? false : printAnswers.takeFirst();
}

bool ScriptedDialogs::executeFont(TFontDialog& dialog)
{
    asked.append(QStringLiteral("font"));
    if (fontAnswers.isEmpty())
        return false;
    const auto answer = fontAnswers.takeFirst();
    if (!answer)
        return false;
    (*answer)(*dialog.font());
    return true;
}

ScriptedDialogs::Scope::Scope()
    : m_dialogs(std::make_unique<ScriptedDialogs>()), m_previous(DialogService::install(m_dialogs.get()))
{
}

ScriptedDialogs::Scope::~Scope()
{
    DialogService::install(m_previous);
}
