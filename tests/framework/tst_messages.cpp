// The string table, message formatting and the error box's text rule.

#include "ScriptedDialogs.h"
#include "framework/AppError.h"
#include "framework/MessageDispatch.h"
#include "framework/SilentAbort.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/TextFormat.h"

#include <QTest>

class TestMessages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void stringTableHoldsTheProgramsTexts()
    {
        QCOMPARE(StringTable::load(StringId::Untitled), QStringLiteral("Untitled"));
        QCOMPARE(StringTable::format(StringId::SaveChanges, {QStringLiteral("Untitled")}),
                 QStringLiteral("Save changes to Untitled?"));
        QCOMPARE(StringTable::format(StringId::LineColumn, {1, 1}), QStringLiteral("Line:   1   Col:   1"));
        QCOMPARE(StringTable::format(StringId::LineColumn, {1234, 56}), QStringLiteral("Line: 1234   Col:  56"));
        QCOMPARE(StringTable::load(12345), QString());
    }

    void formatFillsDirectives_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("result");
        QTest::newRow("text") << "Cannot open file %s" << QVariantList{"a b.rtf"} << "Cannot open file a b.rtf";
        QTest::newRow("padded") << "[%3d|%-3d]" << QVariantList{7, 8} << "[  7|8  ]";
        QTest::newRow("wider than padding") << "%3d" << QVariantList{12345} << "12345";
        QTest::newRow("percent") << "100%% %s" << QVariantList{"done"} << "100% done";
        QTest::newRow("missing argument stays") << "%s and %s" << QVariantList{"one"} << "one and %s";
        QTest::newRow("percent in argument kept") << "%s" << QVariantList{"%d"} << "%d";
    }

    void formatFillsDirectives()
    {
        QFETCH(QString, pattern);
        QFETCH(QVariantList, args);
        QFETCH(QString, result);
        QString out;
        switch (args.size()) {
        case 1: out = formatText(pattern, {args[0]}); break;
        case 2: out = formatText(pattern, {args[0], args[1]}); break;
        default: QFAIL("table row with an unexpected argument count");
        }
        QCOMPARE(out, result);
    }

    void errorBoxAppendsAPeriodAfterCharactersSortingAfterIt_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Failed to Load Stream" << "Failed to Load Stream.";
        QTest::newRow("digit") << "Code 5" << "Code 5.";
        QTest::newRow("colon") << "Reason:" << "Reason:.";
        QTest::newRow("question") << "Why?" << "Why?.";
        QTest::newRow("period") << "Done." << "Done.";
        QTest::newRow("exclamation") << "Stop!" << "Stop!";
        QTest::newRow("parenthesis") << "(x)" << "(x)";
        QTest::newRow("blank") << "Ends in blank " << "Ends in blank ";
        QTest::newRow("empty") << "" << "";
    }

    void errorBoxAppendsAPeriodAfterCharactersSortingAfterIt()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        ScriptedDialogs::Scope dialogs;
        MessageDispatch::run([&] { throw AppError(message); });
        QCOMPARE(dialogs->errors, QStringList({shown}));
    }

    void silentAbortShowsNothingAndOtherFailuresAreShown()
    {
        ScriptedDialogs::Scope dialogs;
        bool after = false;
        MessageDispatch::run([] { throw SilentAbort(); });
        MessageDispatch::run([] { throw std::runtime_error("low level"); });
        MessageDispatch::run([&] { after = true; });
        QVERIFY(after);
        QCOMPARE(dialogs->errors, QStringList({"low level."}));
    }
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
