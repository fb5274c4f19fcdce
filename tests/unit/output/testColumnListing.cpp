#include "output/ColumnListModel.h"
#include "output/ColumnListing.h"

#include "document/IntegralGenerator.h"

#include <QAbstractItemModelTester>
#include <QTest>

class TestColumnListing : public QObject {
    Q_OBJECT
private slots:
    void lineOfAColumn_data()
    {
        QTest::addColumn<qsizetype>("number");
        QTest::addColumn<QByteArray>("column");
        QTest::addColumn<QString>("line");
        QTest::newRow("25") << qsizetype(25) << QByteArray("1X21X21X21X21")
                            << QStringLiteral("0000025  -  1X2 1X2 1X2 1X21");
        QTest::newRow("first") << qsizetype(1) << QByteArray("1111111111111")
                               << QStringLiteral("0000001  -  111 111 111 1111");
        QTest::newRow("last of an integral") << qsizetype(1594323) << QByteArray("222222222222X")
                                             << QStringLiteral("1594323  -  222 222 222 222X");
    }

    void lineOfAColumn()
    {
        QFETCH(qsizetype, number);
        QFETCH(QByteArray, column);
        QFETCH(QString, line);
        QCOMPARE(ColumnListing::line(number, column), line);
    }

    void headingAndCaption()
    {
        QCOMPARE(ColumnListing::heading(false, 128),
                 QStringLiteral("Colonne del Sistema Ridotto - 128"));
        QCOMPARE(ColumnListing::heading(true, 1594323),
                 QStringLiteral("Colonne del Sistema Integrale - 1594323"));
        QCOMPARE(ColumnListing::captionSuffix(false), QStringLiteral(" - Colonne Sistema Ridotto"));
        QCOMPARE(ColumnListing::captionSuffix(true),
                 QStringLiteral(" - Colonne Sistema Integrale"));
    }

    void modelListsEveryColumn()
    {
        std::array<QString, 13> signs;
        signs.fill(QStringLiteral("1"));
        signs[0] = QStringLiteral("1X2");
        signs[12] = QStringLiteral("X2");
        ColumnBuffer columns = IntegralGenerator::generate(signs);
        ColumnListModel model(columns);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 6);
        QVERIFY(model.data(model.index(0)).toString().startsWith(QStringLiteral("0000001  -  ")));
        QCOMPARE(model.data(model.index(0)).toString(),
                 QStringLiteral("0000001  -  111 111 111 111X"));
        QCOMPARE(model.data(model.index(5)).toString(),
                 QStringLiteral("0000006  -  211 111 111 1112"));
        QVERIFY(!model.data(model.index(0), Qt::EditRole).isValid());
        QVERIFY(!model.data(model.index(6)).isValid());

        // The listing is what the system was when it opened.
        columns.columnData(0)[0] = '2';
        QCOMPARE(model.data(model.index(0)).toString(),
                 QStringLiteral("0000001  -  111 111 111 111X"));
    }

    void emptySystem()
    {
        ColumnListModel model{ColumnBuffer()};
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestColumnListing)
#include "testColumnListing.moc"
