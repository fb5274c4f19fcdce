#include "conditions/SequenceRowsLogic.h"

#include <QTest>

using Leave = SequenceRowsLogic::Leave;

Q_DECLARE_METATYPE(SequenceRowsLogic::Leave)

class TestSequenceRowsLogic final : public QObject {
    Q_OBJECT
private slots:
    void newSystemShowsEmptyRows();
    void loadedRowsShowTrimmed();
    void keys();
    void leaveSigns_data();
    void leaveSigns();
    void leaveFields_data();
    void leaveFields();
    void okClearsRowsWithoutSigns();
    void storesTextsAndSwitches();
};

void TestSequenceRowsLogic::newSystemShowsEmptyRows()
{
    const ConditionSet conditions;
    for (const SequenceRowsLogic::Row& row : SequenceRowsLogic::rowsOf(conditions)) {
        QVERIFY(row.signs.isEmpty());
        QVERIFY(row.fields.isEmpty());
        QCOMPARE(row.holder, QStringLiteral("0"));
        QVERIFY(!row.active);
    }
}

void TestSequenceRowsLogic::loadedRowsShowTrimmed()
{
    ConditionSet conditions;
    conditions.set(28, QStringLiteral(" 2X1 "));
    conditions.set(29, QStringLiteral("4-5-11 "));
    conditions.set(30, QStringLiteral("S"));
    conditions.set(31, QStringLiteral("1"));
    conditions.set(32, QStringLiteral("7"));
    conditions.set(33, QStringLiteral("S "));
    const SequenceRowsLogic::RowArray rows = SequenceRowsLogic::rowsOf(conditions);
    QCOMPARE(rows[1], (SequenceRowsLogic::Row{"2X1", "4-5-11", "S", true}));
    // One sign is no sequence; an "S" with a blank is not "S".
    QCOMPARE(rows[2], (SequenceRowsLogic::Row{"", "", "S", false}));
}

void TestSequenceRowsLogic::keys()
{
    QCOMPARE(SequenceRowsLogic::signKey(QLatin1Char('3')), QChar(QLatin1Char('X')));
    QCOMPARE(SequenceRowsLogic::signKey(QLatin1Char('x')), QChar(QLatin1Char('X')));
    QCOMPARE(SequenceRowsLogic::signKey(QLatin1Char('2')), QChar(QLatin1Char('2')));
    QCOMPARE(SequenceRowsLogic::signKey(QLatin1Char('0')), std::optional<QChar>());
    QCOMPARE(SequenceRowsLogic::signKey(QLatin1Char('-')), std::optional<QChar>());
    QVERIFY(SequenceRowsLogic::acceptsFieldKey(QLatin1Char('-')));
    QVERIFY(SequenceRowsLogic::acceptsFieldKey(QLatin1Char('9')));
    QVERIFY(!SequenceRowsLogic::acceptsFieldKey(QLatin1Char(' ')));
    QVERIFY(!SequenceRowsLogic::acceptsFieldKey(QLatin1Char('X')));
}

void TestSequenceRowsLogic::leaveSigns_data()
{
    QTest::addColumn<QString>("signs");
    QTest::addColumn<Leave>("expected");
    QTest::newRow("empty") << "" << Leave{"", std::nullopt};
    QTest::newRow("trimmed") << " 2X1 " << Leave{"2X1", std::nullopt};
    QTest::newRow("one sign") << "2 " << Leave{"2", "Inserire almeno 2 segni !"};
    QTest::newRow("thirteen") << "1111111111111" << Leave{"1111111111111", std::nullopt};
    QTest::newRow("fourteen") << "11111111111111"
                              << Leave{"11111111111111", "Inserire al massimo 13 segni !"};
}

void TestSequenceRowsLogic::leaveSigns()
{
    QFETCH(QString, signs);
    QFETCH(Leave, expected);
    QCOMPARE(SequenceRowsLogic::leaveSigns(signs), expected);
}

void TestSequenceRowsLogic::leaveFields_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("signs");
    QTest::addColumn<Leave>("expected");
    const QString count = QStringLiteral("Numero di campi non valido !");
    const QString range = QStringLiteral("Numero di campo non valido (1...13) !");
    QTest::newRow("plain") << "4-5-11"
                           << "2X1" << Leave{"4-5-11", std::nullopt};
    QTest::newRow("outer dashes") << " -4-5-11- "
                                  << "2X1" << Leave{"4-5-11", std::nullopt};
    QTest::newRow("double dash") << "4--5-11"
                                 << "2X1" << Leave{"4--5-11", "Rilevati trattini Doppi (--) !"};
    QTest::newRow("too few") << "4-5"
                             << "2X1" << Leave{"4-5", count};
    QTest::newRow("empty beside two signs") << ""
                                            << "21" << Leave{"", count};
    QTest::newRow("unused row") << "4-5"
                                << "" << Leave{"4-5", std::nullopt};
    QTest::newRow("match 14") << "4-5-14"
                              << "2X1" << Leave{"4-5-14", range};
    QTest::newRow("match 0") << "0-5"
                             << "2X" << Leave{"0-5", range};
    QTest::newRow("repeated and descending") << "11-5-5"
                                             << "2X1" << Leave{"11-5-5", std::nullopt};
}

void TestSequenceRowsLogic::leaveFields()
{
    QFETCH(QString, fields);
    QFETCH(QString, signs);
    QFETCH(Leave, expected);
    QCOMPARE(SequenceRowsLogic::leaveFields(fields, signs), expected);
}

void TestSequenceRowsLogic::okClearsRowsWithoutSigns()
{
    SequenceRowsLogic::RowArray rows;
    rows[0] = {"2X1", "4-5-11", "S", true};
    rows[3] = {"", "4-5", "S", true};
    SequenceRowsLogic::clearEmptyRows(rows);
    QCOMPARE(rows[0], (SequenceRowsLogic::Row{"2X1", "4-5-11", "S", true}));
    QCOMPARE(rows[3], (SequenceRowsLogic::Row{"", "", "", false}));
}

void TestSequenceRowsLogic::storesTextsAndSwitches()
{
    SequenceRowsLogic::RowArray rows;
    rows[0] = {"2X1", "4-5-11", "", true};
    rows[6] = {"12", "1-13", "S", false};
    ConditionSet conditions;
    SequenceRowsLogic::store(rows, conditions);
    QCOMPARE(conditions.at(25), QVariant(QStringLiteral("2X1")));
    QCOMPARE(conditions.at(26), QVariant(QStringLiteral("4-5-11")));
    QCOMPARE(conditions.at(27), QVariant(QStringLiteral("S")));
    QCOMPARE(conditions.at(28), QVariant(QString()));
    QCOMPARE(conditions.at(30), QVariant(QStringLiteral("N")));
    QCOMPARE(conditions.at(43), QVariant(QStringLiteral("12")));
    QCOMPARE(conditions.at(45), QVariant(QStringLiteral("N")));
    QCOMPARE(rows[0].holder, QStringLiteral("S"));
    QCOMPARE(conditions.at(46), QVariant(0.0));
}

QTEST_GUILESS_MAIN(TestSequenceRowsLogic)
#include "testSequenceRowsLogic.moc"
