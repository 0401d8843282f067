// Nothing lost, through the real window: the recovery copy of unsaved work and its offer at the
// next start, the question before a save overwrites what another program changed, saving
// through links, with the file's permissions, owner and group, in a read-only folder, and a
// failed save that says why.
#include "FileSizeLimit.h"
#include "MainWindowFixture.h"
#include "TestFiles.h"
#include "UnprivilegedUser.h"
#include "app/RecoveryStore.h"
#include "app/RecoveryWriter.h"
#include "richtext/DocumentFile.h"
#include "richtext/TCustomRichEdit.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using Answer = DialogService::Answer;

namespace {
const QByteArray Original = "{\\rtf1\\ansi original text}";

QStringList recoveryCopies()
{
    return QDir(RecoveryStore::folder()).entryList({QStringLiteral("*.rtf")}, QDir::Files);
}

struct stat statusOf(const QString& path)
{
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

void save(MainWindowFixture& fixture)
{
    QTest::keyClick(&fixture.editor(), Qt::Key_S, Qt::ControlModifier);
}

// Types and waits until the recovery copy holds what was typed.
void typeAndWaitForCopy(MainWindowFixture& fixture, const QString& text)
{
    RecoveryWriter* writer = fixture.form().recoveryWriter();
    writer->setDelays(0, 0);
    QSignalSpy written(writer, &RecoveryWriter::written);
    fixture.type(text);
    QTRY_VERIFY(!written.isEmpty() && written.constLast().at(0).toBool());
}
} // namespace

class TestNothingLost : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_state;

    // A session that typed into a document (the file opened, if given) and ended without its
    // close query, as a killed one does: its copy stays behind.
    static void leaveCopy(const QString& text, const QString& file)
    {
        MainWindowFixture fixture(QStringList{file});
        fixture.show();
        typeAndWaitForCopy(fixture, text);
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_STATE_HOME", m_state.path().toLocal8Bit());
        QVERIFY(RecoveryStore::folder().startsWith(m_state.path()));
    }

    void init() { QDir(RecoveryStore::folder()).removeRecursively(); }

    void recoveryOffer_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes opens it") << int(Answer::Yes);
        QTest::newRow("no deletes it") << int(Answer::No);
        QTest::newRow("cancel keeps it") << int(Answer::Cancel);
    }

    void recoveryOffer()
    {
        QFETCH(int, answer);
        QTemporaryDir documents;
        const QString letter = documents.filePath(QStringLiteral("letter.rtf"));
        MainWindowFixture::writeFile(letter, Original);
        leaveCopy(QStringLiteral("typed "), letter);
        QCOMPARE(recoveryCopies().size(), 1);

        MainWindowFixture fixture;
        fixture.dialogs().confirmAnswers = {Answer(answer)};
        fixture.show();
        QTRY_COMPARE(fixture.dialogs().asked, QStringList{"confirm"});
        const QString question = fixture.dialogs().confirmTexts.value(0);
        QVERIFY2(question.startsWith(QStringLiteral("Recover the unsaved changes to %1 from ").arg(letter)),
                 qPrintable(question));

        switch (Answer(answer)) {
        case Answer::Yes:
            QCOMPARE(fixture.documentText(), QStringLiteral("typed original text"));
            QCOMPARE(fixture.form().documentName(), letter);
            QCOMPARE(fixture.panelText(1), QStringLiteral("Modified"));
            QCOMPARE(recoveryCopies().size(), 1); // now this session's own
            save(fixture);
            QCOMPARE(fixture.dialogs().asked, QStringList{"confirm"}); // the file is as it was
            QCOMPARE(DocumentFile::loadText(letter), QStringLiteral("typed original text"));
            QVERIFY(recoveryCopies().isEmpty());
            break;
        case Answer::No:
            QCOMPARE(fixture.documentText(), QString());
            QVERIFY(recoveryCopies().isEmpty());
            break;
        case Answer::Cancel: {
            QCOMPARE(fixture.documentText(), QString());
            QCOMPARE(recoveryCopies().size(), 1);
            MainWindowFixture next;
            next.dialogs().confirmAnswers = {Answer::Cancel};
            next.form().OfferRecovery();
            QCOMPARE(next.dialogs().asked, QStringList{"confirm"});
            break;
        }
        }
    }

    // A document never saved comes back untitled: Save asks for a name.
    void anUntitledDocumentComesBackUntitled()
    {
        {
            MainWindowFixture first;
            first.show();
            typeAndWaitForCopy(first, QStringLiteral("never saved"));
        }
        MainWindowFixture fixture;
        fixture.dialogs().confirmAnswers = {Answer::Yes};
        fixture.show();
        QTRY_COMPARE(fixture.dialogs().asked, QStringList{"confirm"});
        QVERIFY(fixture.dialogs().confirmTexts.value(0).startsWith(
            QStringLiteral("Recover the unsaved changes to Untitled from ")));
        QCOMPARE(fixture.documentText(), QStringLiteral("never saved"));
        save(fixture);
        QCOMPARE(fixture.dialogs().asked, (QStringList{"confirm", "save"}));
    }

    // A document read from a plain-text file is saved as text again after its recovery.
    void aRecoveredTextDocumentIsSavedAsText()
    {
        QTemporaryDir documents;
        const QString notes = documents.filePath(QStringLiteral("notes.txt"));
        MainWindowFixture::writeFile(notes, "first line\r\nsecond line\r\n");
        leaveCopy(QStringLiteral("typed "), notes);
        MainWindowFixture fixture;
        fixture.dialogs().confirmAnswers = {Answer::Yes};
        fixture.show();
        QTRY_COMPARE(fixture.dialogs().asked, QStringList{"confirm"});
        save(fixture);
        QCOMPARE(MainWindowFixture::readFile(notes), QByteArray("typed first line\r\nsecond line\r\n"));
    }

    void anotherInstancesCopyIsNotOffered()
    {
        MainWindowFixture first;
        first.show();
        typeAndWaitForCopy(first, QStringLiteral("mine"));
        MainWindowFixture second;
        second.form().OfferRecovery();
        QVERIFY(second.dialogs().asked.isEmpty());
        QCOMPARE(recoveryCopies().size(), 1);
    }

    // The copy is there while there is unsaved work, and only then.
    void theCopyFollowsTheWork()
    {
        MainWindowFixture fixture;
        fixture.show();
        typeAndWaitForCopy(fixture, QStringLiteral("draft"));
        const QString copy = fixture.form().recoveryWriter()->copyPath();
        QVERIFY(RecoveryStore::read(copy));
        QCOMPARE(DocumentFile::loadText(copy), QStringLiteral("draft"));

        fixture.dialogs().saveAnswers = {{true, fixture.path(QStringLiteral("draft.rtf")), false}};
        save(fixture);
        QVERIFY(recoveryCopies().isEmpty());

        typeAndWaitForCopy(fixture, QStringLiteral(" more"));
        for (int step = 0; step < 100 && fixture.editor().modified(); ++step)
            fixture.editor().Undo();
        QVERIFY(!fixture.editor().modified());
        QVERIFY(recoveryCopies().isEmpty());

        typeAndWaitForCopy(fixture, QStringLiteral(" given up"));
        fixture.dialogs().confirmAnswers = {Answer::No};
        QTest::keyClick(&fixture.editor(), Qt::Key_X, Qt::AltModifier);
        QVERIFY(!fixture.form().isVisible());
        QVERIFY(recoveryCopies().isEmpty());
    }

    void changedOnDiskIsAskedAbout_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        const QString changed = QStringLiteral(
            "%1 has been changed by another program since it was opened or saved. Overwrite it?");
        const QString removed = QStringLiteral(
            "%1 has been removed or renamed by another program since it was opened or saved. Save it again?");
        QTest::newRow("unchanged") << "none" << int(Answer::Cancel) << QString();
        QTest::newRow("changed, overwrite") << "write" << int(Answer::Yes) << changed;
        QTest::newRow("changed, keep theirs") << "write" << int(Answer::No) << changed;
        QTest::newRow("replaced, keep theirs") << "replace" << int(Answer::Cancel) << changed;
        QTest::newRow("removed, save again") << "remove" << int(Answer::Yes) << removed;
        QTest::newRow("removed, leave it") << "remove" << int(Answer::No) << removed;
    }

    void changedOnDiskIsAskedAbout()
    {
        QFETCH(QString, change);
        QFETCH(int, answer);
        QFETCH(QString, question);
        MainWindowFixture fixture({QStringLiteral("doc.rtf")});
        const QString file = fixture.path(QStringLiteral("doc.rtf"));
        MainWindowFixture::writeFile(file, Original);
        fixture.show();
        fixture.type(QStringLiteral("mine "));
        const QByteArray theirs = "{\\rtf1 written by another program}";
        if (change == QLatin1String("write")) {
            MainWindowFixture::writeFile(file, theirs);
        } else if (change == QLatin1String("replace")) {
            MainWindowFixture::writeFile(fixture.path(QStringLiteral("other.rtf")), theirs);
            QCOMPARE(::rename(QFile::encodeName(fixture.path(QStringLiteral("other.rtf"))).constData(),
                              QFile::encodeName(file).constData()),
                     0);
        } else if (change == QLatin1String("remove")) {
            QVERIFY(QFile::remove(file));
        }
        const QByteArray before = MainWindowFixture::readFile(file);
        fixture.dialogs().confirmAnswers = {Answer(answer)};

        save(fixture);

        const bool asked = !question.isEmpty();
        QCOMPARE(fixture.dialogs().confirmTexts,
                 asked ? QStringList{question.arg(QStringLiteral("doc.rtf"))} : QStringList());
        const bool saved = !asked || Answer(answer) == Answer::Yes;
        if (saved) {
            QCOMPARE(DocumentFile::loadText(file), QStringLiteral("mine original text"));
            QCOMPARE(fixture.panelText(1), QString());
            save(fixture); // what was saved is what a later save checks against
            QCOMPARE(fixture.dialogs().confirmTexts.size(), asked ? 1 : 0);
        } else {
            QCOMPARE(MainWindowFixture::readFile(file), before);
            QCOMPARE(QFile::exists(file), change != QLatin1String("remove"));
            QCOMPARE(fixture.panelText(1), QStringLiteral("Modified"));
        }
    }

    void savingThroughALinkKeepsTheLink()
    {
        MainWindowFixture fixture({QStringLiteral("link.rtf")});
        QVERIFY(QDir(fixture.folder()).mkdir(QStringLiteral("real")));
        MainWindowFixture::writeFile(fixture.path(QStringLiteral("real/doc.rtf")), Original);
        QVERIFY(QFile::link(QStringLiteral("real/doc.rtf"), fixture.path(QStringLiteral("link.rtf"))));
        fixture.show();
        fixture.type(QStringLiteral("linked "));
        save(fixture);
        QVERIFY(fixture.dialogs().errors.isEmpty());
        QVERIFY(QFileInfo(fixture.path(QStringLiteral("link.rtf"))).isSymLink());
        QCOMPARE(DocumentFile::loadText(fixture.path(QStringLiteral("real/doc.rtf"))),
                 QStringLiteral("linked original text"));
    }

    void savingKeepsPermissionsOwnerAndGroup_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("otherOwner");
        QTest::newRow("read-only 444") << 0444 << false;
        QTest::newRow("setgid 2664") << 02664 << false;
        QTest::newRow("root saves a user's file") << 0640 << true;
    }

    void savingKeepsPermissionsOwnerAndGroup()
    {
        QFETCH(int, mode);
        QFETCH(bool, otherOwner);
        if (otherOwner && !UnprivilegedUser::isRoot())
            QSKIP("giving a file to another user needs root");
        MainWindowFixture fixture({QStringLiteral("doc.rtf")});
        const QString file = fixture.path(QStringLiteral("doc.rtf"));
        MainWindowFixture::writeFile(file, Original);
        const QByteArray name = QFile::encodeName(file);
        const uid_t owner = otherOwner ? 1000 : ::geteuid();
        const gid_t group = otherOwner ? 1000 : ::getegid();
        QCOMPARE(::chown(name.constData(), owner, group), 0);
        QCOMPARE(::chmod(name.constData(), mode_t(mode)), 0);
        fixture.show();
        fixture.type(QStringLiteral("kept "));
        save(fixture);
        QVERIFY(fixture.dialogs().errors.isEmpty());
        const struct stat status = statusOf(file);
        QCOMPARE(int(status.st_mode & 07777), mode);
        QCOMPARE(status.st_uid, owner);
        QCOMPARE(status.st_gid, group);
        QCOMPARE(DocumentFile::loadText(file), QStringLiteral("kept original text"));
    }

    void aWritableFileInAReadOnlyFolderIsSaved()
    {
        MainWindowFixture fixture({QStringLiteral("locked/doc.rtf")});
        const QString folder = fixture.path(QStringLiteral("locked"));
        QVERIFY(QDir().mkdir(folder));
        const QString file = folder + QStringLiteral("/doc.rtf");
        MainWindowFixture::writeFile(file, Original);
        UnprivilegedUser::allowEveryone(QFile::encodeName(folder).constData());
        ::chown(QFile::encodeName(file).constData(), UnprivilegedUser::NobodyId, UnprivilegedUser::NobodyId);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
        fixture.show();
        fixture.type(QStringLiteral("still "));
        {
            UnprivilegedUser user;
            save(fixture);
        }
        QCOMPARE(fixture.dialogs().errors, QStringList());
        QCOMPARE(DocumentFile::loadText(file), QStringLiteral("still original text"));
        QCOMPARE(TestFiles::entries(folder), QStringList{QStringLiteral("doc.rtf")});
        QCOMPARE(fixture.panelText(1), QString());
        ::chmod(QFile::encodeName(folder).constData(), 0755);
    }

    void aFailedSaveKeepsTheFileAndTheWorkAndSaysWhy()
    {
        MainWindowFixture fixture({QStringLiteral("big.rtf")});
        const QString file = fixture.path(QStringLiteral("big.rtf"));
        const QByteArray old = "{\\rtf1 " + QByteArray(20000, 'x') + "}";
        MainWindowFixture::writeFile(file, old);
        fixture.show();
        fixture.type(QStringLiteral("more "));
        {
            FileSizeLimit limit(4096);
            save(fixture);
        }
        QCOMPARE(fixture.dialogs().errors,
                 QStringList{QStringLiteral("Failed to Save Stream: File too large.")});
        QCOMPARE(MainWindowFixture::readFile(file), old);
        QCOMPARE(TestFiles::entries(fixture.folder()), QStringList{QStringLiteral("big.rtf")});
        QVERIFY(fixture.editor().modified());
        QCOMPARE(fixture.panelText(1), QStringLiteral("Modified"));
    }
};

QTEST_MAIN(TestNothingLost)
#include "tst_nothinglost.moc"
