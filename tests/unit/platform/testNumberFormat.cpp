#include "platform/NumberFormat.h"

#include <QTest>

using namespace NumberFormat;

class TestNumberFormat : public QObject {
    Q_OBJECT
private slots:
    void strCarriesALeadingBlankWhenNotNegative()
    {
        QCOMPARE(Str(1234), QStringLiteral(" 1234"));
        QCOMPARE(Str(0), QStringLiteral(" 0"));
        QCOMPARE(Str(-3), QStringLiteral("-3"));
        QCOMPARE(Str(1.5), QStringLiteral(" 1.5"));
        QCOMPARE(plain(0.5), QStringLiteral("0.5"));
    }

    void patternsFollowTheLocale_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("italian");
        QTest::addColumn<QString>("english");
        const auto row = [](const char* tag, double value, const char* pattern, const char* italian,
                            const char* english) {
            QTest::newRow(tag) << value << QString::fromLatin1(pattern)
                               << QString::fromLatin1(italian) << QString::fromLatin1(english);
        };
        row("grouped count", 1594323.0, "#,###,##0", "1.594.323", "1,594,323");
        row("zero count", 0.0, "#,###,##0", "0", "0");
        row("euro", 797161.5, "##,###,###,##0.00", "797.161,50", "797,161.50");
        row("share", 0.25, "###,##0.00", "0,25", "0.25");
        row("ratio", 1.5, "#0.00", "1,50", "1.50");
        row("ratio thousands not grouped", 1234.5, "#0.00", "1234,50", "1234.50");
        row("line number", 25.0, "0000000", "0000025", "0000025");
    }

    void patternsFollowTheLocale()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, italian);
        QFETCH(QString, english);
        QCOMPARE(formatPattern(value, pattern, QLocale(QLocale::Italian, QLocale::Italy)), italian);
        QCOMPARE(formatPattern(value, pattern, QLocale(QLocale::English, QLocale::UnitedStates)),
                 english);
    }

    void readAsNumberStopsWhereANumberCannotGoOn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12" << 12.0;
        QTest::newRow("blanks skipped") << " 1 2 " << 12.0;
        QTest::newRow("decimals") << "0.5" << 0.5;
        QTest::newRow("comma stops") << "0,5" << 0.0;
        QTest::newRow("trailing text") << "7abc" << 7.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("stops at second point") << "1.2.3" << 1.2;
    }

    void readAsNumberStopsWhereANumberCannotGoOn()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(readAsNumber(text), value);
    }

    void elapsedTime()
    {
        QCOMPARE(FormatElapsed(3725), QStringLiteral("01:02:05"));
        QCOMPARE(FormatElapsed(0), QStringLiteral("00:00:00"));
        QCOMPARE(FormatElapsed(59), QStringLiteral("00:00:59"));
    }

    void lireRoundHalvesToEven()
    {
        QCOMPARE(roundHalfEven(2.5), 2.0);
        QCOMPARE(roundHalfEven(3.5), 4.0);
        QCOMPARE(roundHalfEven(-2.5), -2.0);
        // 0.5 euro x 1936.27 = 968.135
        QCOMPARE(lireOf(0.5), 968.0);
        // 100 euro: 193627 exactly
        QCOMPARE(lireOf(100), 193627.0);
    }
};

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "testNumberFormat.moc"
