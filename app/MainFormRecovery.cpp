// Crash recovery: the offer of unsaved work left by a session that ended without saving it.

#include "app/TMainForm.h"

#include "app/RecoveryStore.h"
#include "app/RecoveryWriter.h"
#include "framework/DialogService.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"

#include <QLocale>
#include <QLockFile>

void TMainForm::OfferRecovery()
{
    // Yes opens a copy and ends the offer; No deletes it and goes on to the next; Cancel keeps
    // it and the rest for the next start. Copies not taken are released when this returns.
    std::vector<RecoveryStore::Claimed> claimed = RecoveryStore::claimOrphans();
    for (RecoveryStore::Claimed& candidate : claimed) {
        const RecoveryStore::Copy& copy = candidate.copy;
        const QString name =
            copy.documentName.isEmpty() ? StringTable::load(StringId::Untitled) : copy.documentName;
        const QString time = QLocale().toString(copy.savedAt.toLocalTime(), QLocale::ShortFormat);
        switch (DialogService::instance().confirm(StringTable::format(StringId::RecoverWork, {name, time}))) {
        case DialogService::Answer::Cancel:
            return;
        case DialogService::Answer::No:
            RecoveryStore::remove(copy.id, std::move(candidate.lock));
            continue;
        case DialogService::Answer::Yes:
            ConfirmSaveChanges();
            // The recovered work is what the user chose to see, not a file still loading.
            CancelLoad();
            Editor->lines()->LoadFromFile(copy.path);
            Editor->lines()->setPlainTextFormat(copy.plainText);
            SetDocumentName(name);
            Editor->setFocus();
            Editor->setModified(true);
            ShowModifiedState(true);
            m_diskCheck.remember(name, copy.original);
            m_recovery->adopt(copy.id, std::move(candidate.lock));
            return;
        }
    }
}
