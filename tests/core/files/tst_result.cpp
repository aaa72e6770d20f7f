#include "Result.h"

#include <QTest>

using namespace orvanta::files;

namespace {
enum class Kind { First = 1, Second };

// "none" succeeds; any other outcome fails with that message, and a kind when it names one.
Result<QString> made(const QString& outcome, int kind)
{
    if (outcome == "none")
        return QStringLiteral("value");
    return kind ? fail(outcome, Kind(kind)) : fail(outcome);
}

Result<void> done(const QString& outcome, int kind)
{
    if (outcome == "none")
        return {};
    return kind ? fail(outcome, Kind(kind)) : fail(outcome);
}
} // namespace

/** What callers branch on: a failure stays one whatever its words, and its kind tells it from the others. */
class TestResult : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void outcome_data();
    void outcome();
};

void TestResult::outcome_data()
{
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<int>("kind");

    QTest::newRow("success") << "none" << 0;
    QTest::newRow("failure") << "it does not exist" << 0;
    // A message left empty by the system must not read as a success, as an empty error text once did.
    QTest::newRow("failure without words") << "" << 0;
    QTest::newRow("failure of a kind") << "it is too large" << int(Kind::First);
    QTest::newRow("failure of another kind") << "" << int(Kind::Second);
}

void TestResult::outcome()
{
    QFETCH(QString, outcome);
    QFETCH(int, kind);
    const bool succeeds = outcome == "none";
    const Result<QString> value = made(outcome, kind);
    const Result<void> nothing = done(outcome, kind);

    QCOMPARE(value.ok(), succeeds);
    QCOMPARE(bool(nothing), succeeds);
    QCOMPARE(value.valueOr("fallback"), succeeds ? QString("value") : QString("fallback"));
    QCOMPARE(value.error(), succeeds ? QString() : outcome);
    QCOMPARE(nothing.error(), succeeds ? QString() : outcome);
    for (const Kind asked : {Kind::First, Kind::Second}) {
        QCOMPARE(value.failure().is(asked), int(asked) == kind);
        QCOMPARE(nothing.failure().is(asked), int(asked) == kind);
    }
}

QTEST_GUILESS_MAIN(TestResult)
#include "tst_result.moc"
