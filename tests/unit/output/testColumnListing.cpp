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
