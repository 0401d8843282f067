// Durable saving: links followed and kept, the old file's permissions, owner, group and
// attributes kept, the read-only folder, and failures that leave the old file as it was, leave
// nothing behind and say why.
#include "FileSizeLimit.h"
#include "TestFiles.h"
#include "UnprivilegedUser.h"
#include "framework/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {
struct stat statusOf(const QString& path, bool followLinks = true)
{
    struct stat status {};
    const QByteArray name = QFile::encodeName(path);
    (followLinks ? ::stat : ::lstat)(name.constData(), &status);
    return status;
}
} // namespace

class TestDurableFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A fresh folder of the test's own.
    QString folder(const QString& name)
    {
        const QString folder = path(name);
        QDir(folder).removeRecursively();
        if (!QDir().mkpath(folder))
            return QString();
        return folder;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        UnprivilegedUser::allowEveryone(QFile::encodeName(m_dir.path()).constData());
        QVERIFY(QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7777)));
    }

    void replacesTheFileWhole()
    {
        const QString where = folder(QStringLiteral("replace"));
        const QString target = where + QStringLiteral("/doc.rtf");
        QVERIFY(TestFiles::write(target, "old content that is longer than the new one"));
        const ino_t before = statusOf(target).st_ino;
        DurableFile::write(target, QByteArray("new"));
        QCOMPARE(TestFiles::read(target), QByteArray("new"));
        QVERIFY(statusOf(target).st_ino != before); // a new file took the old one's place
        QCOMPARE(TestFiles::entries(where), QStringList{QStringLiteral("doc.rtf")});
    }

    // Small writes are gathered, large ones go straight to the file: either way in order.
    void writesOfEverySizeArriveInOrder()
    {
        const QString target = folder(QStringLiteral("sizes")) + QStringLiteral("/doc.rtf");
        const QList<QByteArray> pieces{"{\\rtf1 ", QByteArray(70000, 'a'), "b", QByteArray(65535, 'c'),
                                       QByteArray(200000, 'd'), "}"};
        DurableFile::write(target, [&](QIODevice& file) {
            for (const QByteArray& piece : pieces) {
                if (file.write(piece) != piece.size())
                    return false;
            }
            return true;
        });
        QCOMPARE(TestFiles::read(target), pieces.join());
    }

    void aNewFileGetsTheUsualPermissions()
    {
        const QString target = folder(QStringLiteral("new")) + QStringLiteral("/fresh.rtf");
        const mode_t mask = ::umask(022);
        ::umask(mask);
        DurableFile::write(target, QByteArray("x"));
        QCOMPARE(statusOf(target).st_mode & 07777, 0666 & ~mask);
    }

    // Failures: the old file stays byte for byte, nothing is left behind, the reason is given.
    void failuresLeaveTheOldFileAndSayWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("write refused part-way") << "doc.rtf"
                                                << "Failed to Save Stream: File too large";
        QTest::newRow("the name is a folder") << "sub"
                                              << "Cannot create file %1: Is a directory";
        QTest::newRow("no such folder") << "missing/doc.rtf"
                                        << "Cannot create file %1: No such file or directory";
        QTest::newRow("the content cannot be made") << "refused.rtf"
                                                    << "Failed to Save Stream";
    }

    void failuresLeaveTheOldFileAndSayWhy()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        const QString where = folder(QStringLiteral("failures"));
        QVERIFY(QDir(where).mkdir(QStringLiteral("sub")));
        const QByteArray old = "{\\rtf1 the old document}";
        QVERIFY(TestFiles::write(where + QStringLiteral("/doc.rtf"), old));
        QVERIFY(TestFiles::write(where + QStringLiteral("/refused.rtf"), old));
        const QStringList before = TestFiles::entries(where);
        const QString target = where + u'/' + name;

        QString failure;
        if (name == QLatin1String("refused.rtf")) {
            failure =
                TestFiles::failureOf([&] { DurableFile::write(target, [](QIODevice&) { return false; }); });
        } else {
            FileSizeLimit limit(4096);
            failure = TestFiles::failureOf([&] { DurableFile::write(target, QByteArray(100000, 'x')); });
        }
        QCOMPARE(failure, message.contains(u'%') ? message.arg(target) : message);
        QCOMPARE(TestFiles::read(where + QStringLiteral("/doc.rtf")), old);
        QCOMPARE(TestFiles::read(where + QStringLiteral("/refused.rtf")), old);
        QCOMPARE(TestFiles::entries(where), before);
    }

    void followsLinksAndKeepsThem_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("pointsTo");
        QTest::addColumn<QString>("written");
        QTest::newRow("relative") << "link.rtf"
                                  << "real/doc.rtf"
                                  << "real/doc.rtf";
        QTest::newRow("absolute") << "link.rtf"
                                  << "@/real/doc.rtf"
                                  << "real/doc.rtf";
        QTest::newRow("chain") << "link.rtf"
                               << "second.rtf"
                               << "real/doc.rtf";
        QTest::newRow("dangling: the target is made") << "link.rtf"
                                                      << "real/new.rtf"
                                                      << "real/new.rtf";
    }

    void followsLinksAndKeepsThem()
    {
        QFETCH(QString, link);
        QFETCH(QString, pointsTo);
        QFETCH(QString, written);
        const QString where = folder(QStringLiteral("links"));
        QVERIFY(QDir(where).mkdir(QStringLiteral("real")));
        QVERIFY(TestFiles::write(where + QStringLiteral("/real/doc.rtf"), "old"));
        QVERIFY(QFile::link(QStringLiteral("real/doc.rtf"), where + QStringLiteral("/second.rtf")));
        const QByteArray linkPath = QFile::encodeName(where + u'/' + link);
        const QByteArray target = QFile::encodeName(QString(pointsTo).replace(u'@', where));
        QCOMPARE(::symlink(target.constData(), linkPath.constData()), 0);

        DurableFile::write(where + u'/' + link, QByteArray("new"));

        QCOMPARE(TestFiles::read(where + u'/' + written), QByteArray("new"));
        QVERIFY(S_ISLNK(statusOf(where + u'/' + link, false).st_mode));
        QVERIFY(S_ISLNK(statusOf(where + QStringLiteral("/second.rtf"), false).st_mode));
        QCOMPARE(TestFiles::entries(where + QStringLiteral("/real")).size(),
                 written.endsWith(u"new.rtf") ? 2 : 1);
    }

    void aLinkThatPointsAtItselfIsRefused()
    {
        const QString where = folder(QStringLiteral("loop"));
        QVERIFY(QFile::link(QStringLiteral("self.rtf"), where + QStringLiteral("/self.rtf")));
        const QString target = where + QStringLiteral("/self.rtf");
        QCOMPARE(TestFiles::failureOf([&] { DurableFile::write(target, QByteArray("x")); }),
                 QStringLiteral("Cannot create file %1: Too many levels of symbolic links").arg(target));
    }

    // In a sticky folder that everybody may write to, a link of another user is not followed:
    // it would let that user make us overwrite any file we may write.
    void aStrangersLinkInASharedFolderIsNotFollowed()
    {
        if (!UnprivilegedUser::isRoot())
            QSKIP("making a link of another user needs root");
        const QString shared = folder(QStringLiteral("shared"));
        QVERIFY(QFile::setPermissions(shared, QFileDevice::Permissions(0x7777)));
        QCOMPARE(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
        const QString victim = path(QStringLiteral("victim.txt"));
        QVERIFY(TestFiles::write(victim, "precious"));
        const QString planted = shared + QStringLiteral("/out.rtf");
        QVERIFY(QFile::link(victim, planted));
        QCOMPARE(::lchown(QFile::encodeName(planted).constData(), UnprivilegedUser::NobodyId,
                          UnprivilegedUser::NobodyId),
                 0);

        QVERIFY(TestFiles::failureOf([&] {
                    DurableFile::write(planted, QByteArray("x"));
                }).startsWith(QStringLiteral("Cannot create file %1: ").arg(planted)));
        QCOMPARE(TestFiles::read(victim), QByteArray("precious"));

        // Our own link there is followed, as the kernel would.
        QCOMPARE(::lchown(QFile::encodeName(planted).constData(), 0, 0), 0);
        DurableFile::write(planted, QByteArray("ours"));
        QCOMPARE(TestFiles::read(victim), QByteArray("ours"));
    }

    void keepsPermissionsOwnerGroupAndAttributes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("otherOwner");
        QTest::newRow("read-only for all") << 0444 << false;
        QTest::newRow("setgid, group may read") << 02640 << false;
        QTest::newRow("another user's file") << 0664 << true;
    }

    void keepsPermissionsOwnerGroupAndAttributes()
    {
        QFETCH(int, mode);
        QFETCH(bool, otherOwner);
        if (otherOwner && !UnprivilegedUser::isRoot())
            QSKIP("giving a file to another user needs root");
        const QString target = folder(QStringLiteral("kept")) + QStringLiteral("/doc.rtf");
        const QByteArray name = QFile::encodeName(target);
        QVERIFY(TestFiles::write(target, "old"));
        const uid_t owner = otherOwner ? 1234 : ::geteuid();
        const gid_t group = otherOwner ? 4321 : ::getegid();
        QCOMPARE(::chown(name.constData(), owner, group), 0);
        QCOMPARE(::chmod(name.constData(), mode_t(mode)), 0);
        const bool attributes = ::setxattr(name.constData(), "user.origin", "scanner", 7, 0) == 0;

        DurableFile::write(target, QByteArray("new"));

        const struct stat status = statusOf(target);
        QCOMPARE(TestFiles::read(target), QByteArray("new"));
        QCOMPARE(int(status.st_mode & 07777), mode);
        QCOMPARE(status.st_uid, owner);
        QCOMPARE(status.st_gid, group);
        if (attributes) {
            char value[16] = {};
            QCOMPARE(::getxattr(name.constData(), "user.origin", value, sizeof value), ssize_t(7));
            QCOMPARE(QByteArray(value), QByteArray("scanner"));
        }
    }

    // A file we may write in a folder we may not: written in place, as the last resort.
    void aWritableFileInAReadOnlyFolderIsSaved()
    {
        const QString where = folder(QStringLiteral("readonly"));
        const QString target = where + QStringLiteral("/doc.rtf");
        QVERIFY(TestFiles::write(target, "old content"));
        QCOMPARE(::chown(QFile::encodeName(target).constData(), UnprivilegedUser::NobodyId,
                         UnprivilegedUser::NobodyId),
                 UnprivilegedUser::isRoot() ? 0 : -1);
        QCOMPARE(::chmod(QFile::encodeName(where).constData(), 0555), 0);
        {
            UnprivilegedUser user;
            DurableFile::write(target, QByteArray("new"));
            // A failure part-way puts the old content back.
            FileSizeLimit limit(4096);
            QCOMPARE(TestFiles::failureOf([&] { DurableFile::write(target, QByteArray(100000, 'x')); }),
                     QStringLiteral("Failed to Save Stream: File too large"));
        }
        QCOMPARE(TestFiles::read(target), QByteArray("new"));
        QCOMPARE(TestFiles::entries(where), QStringList{QStringLiteral("doc.rtf")});
        const QString missing = where + QStringLiteral("/other.rtf");
        UnprivilegedUser user;
        QCOMPARE(TestFiles::failureOf([&] { DurableFile::write(missing, QByteArray("x")); }),
                 QStringLiteral("Cannot create file %1: Permission denied").arg(missing));
    }

    // A file with a second name (a hard link) is one file: both names see the new content.
    void aFileWithAnotherNameKeepsIt()
    {
        const QString where = folder(QStringLiteral("hardlinks"));
        const QString target = where + QStringLiteral("/doc.rtf");
        QVERIFY(TestFiles::write(target, "old"));
        const QString otherName = where + QStringLiteral("/other-name.rtf");
        QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(otherName).constData()), 0);
        DurableFile::write(target, QByteArray("new"));
        QCOMPARE(TestFiles::read(otherName), QByteArray("new"));
        QCOMPARE(statusOf(target).st_nlink, nlink_t(2));
    }

    // A file of another user that we may write keeps its owner: it is written in place.
    void anotherUsersFileKeepsItsOwner()
    {
        if (!UnprivilegedUser::isRoot())
            QSKIP("giving a file to another user needs root");
        const QString where = folder(QStringLiteral("group-writable"));
        QCOMPARE(::chmod(QFile::encodeName(where).constData(), 0777), 0);
        const QString target = where + QStringLiteral("/doc.rtf");
        QVERIFY(TestFiles::write(target, "old"));
        const QByteArray name = QFile::encodeName(target);
        QCOMPARE(::chown(name.constData(), 1234, 1234), 0);
        QCOMPARE(::chmod(name.constData(), 0666), 0);
        {
            UnprivilegedUser user;
            DurableFile::write(target, QByteArray("new"));
        }
        QCOMPARE(TestFiles::read(target), QByteArray("new"));
        QCOMPARE(statusOf(target).st_uid, uid_t(1234));
    }
};

QTEST_GUILESS_MAIN(TestDurableFile)
#include "tst_durablefile.moc"
