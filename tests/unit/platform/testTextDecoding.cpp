#include "platform/LegacyTextFile.h"
#include "platform/TextDecoding.h"
#include "support/TestSystems.h"

#include <QTemporaryDir>
#include <QTest>

using LegacyTextFile::ReadStatus;

using namespace Qt::StringLiterals;

namespace {

// Two values of at most five characters: the largest such file is 41 bytes.
constexpr LegacyTextFile::Shape Small{2, 5};

QString written(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(u"f.sys"_s);
    return TestSystems::writeBytes(path, bytes) ? path : QString();
}

} // namespace

class TestTextDecoding : public QObject {
    Q_OBJECT
private slots:
    void utf8WhenValidElseCodePage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* tag, QByteArray bytes, bool utf8, const char16_t* text) {
            QTest::newRow(tag) << bytes << utf8 << QString::fromUtf16(text);
        };
        row("plain ASCII", "ROMA 1X2", true, u"ROMA 1X2");
        row("UTF-8", "CITT\xC3\x80", true, u"CITTÀ");
        row("four bytes", "\xF0\x9F\x98\x80", true, u"\U0001F600");
        row("code page", "CITT\xC0 \x80", false, u"CITTÀ €");
        row("overlong slash", "\xC0\xAF", false, u"À¯");
        row("overlong in three bytes", "\xE0\x80\xAF", false, u"à€¯");
        row("surrogate", "\xED\xA0\x80", false, u"í\u00A0€");
        row("beyond U+10FFFF", "\xF4\x90\x80\x80", false, u"ô\u0090€€");
        row("cut sequence", "a\xE2\x82", false, u"aâ\u201A");
    }

    void utf8WhenValidElseCodePage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QFETCH(QString, text);
        QCOMPARE(TextDecoding::isUtf8(bytes), utf8);
        QCOMPARE(TextDecoding::decode(bytes), text);
        // A byte order mark in front is dropped and decides nothing.
        QCOMPARE(TextDecoding::decode(TextDecoding::Utf8Bom.toByteArray() + bytes), text);
    }

    void valuesAreCheckedOneByOne_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("badLine"); // -1: read whole
        const auto row = [](const char* tag, QByteArray content, int badLine) {
            QTest::newRow(tag) << content << badLine;
        };
        row("blanks around values, LF or CR LF", "  \"a b\"  \r\n1.5\n", -1);
        row("number too large to hold", "1e999\r\n", 0);
        row("text followed by more", "\"ab\"c\r\n", 0);
        row("text not closed", "1\r\n\"ab\r\n", 1);
        row("NUL in a text", QByteArray("\"a\0b\"", 5), 0);
        row("lone CR in a text", "\"a\rb\"\r\n", 0);
        row("text longer than the kind holds", "\"abcdef\"", 0);
        row("more values than the kind holds", "1\r\n2\r\n3\r\n", 2);
        row("empty line", "1\r\n\r\n", 1);
    }

    void valuesAreCheckedOneByOne()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, badLine);
        QTemporaryDir dir;
        const auto read = LegacyTextFile::read(written(dir, content), Small);
        QCOMPARE(read.badLine, badLine);
        QCOMPARE(read.status, badLine < 0 ? ReadStatus::Ok : ReadStatus::Malformed);
        if (badLine < 0)
            QCOMPARE(read.values, (QVariantList{u"a b"_s, 1.5}));
        else
            QVERIFY(read.values.isEmpty());
    }

    void sizeIsBoundedByTheKind()
    {
        QTemporaryDir dir;
        const QByteArray euros = u"€€€€€"_s.toUtf8();
        const QByteArray largest =
            TextDecoding::Utf8Bom.toByteArray() + ('"' + euros + "\"\r\n").repeated(2);
        QCOMPARE(largest.size(), LegacyTextFile::largestSize(Small));
        auto read = LegacyTextFile::read(written(dir, largest), Small);
        QCOMPARE(read.status, ReadStatus::Ok);
        QCOMPARE(read.values.value(1).toString(), u"€€€€€"_s);
        read = LegacyTextFile::read(written(dir, largest + ' '), Small);
        QCOMPARE(read.status, ReadStatus::TooLarge);

        QByteArray records;
        const QString columns = written(dir, "\xEF\xBB\xBF\"1X2\"\r\n\"222\"\r\n");
        QCOMPARE(LegacyTextFile::readFixedRecords(columns, 2, 3, 2, records), ReadStatus::Ok);
        QCOMPARE(records, QByteArray("1X2222"));
        QCOMPARE(LegacyTextFile::readFixedRecords(columns, 1, 3, 1, records), ReadStatus::TooLarge);
        QCOMPARE(LegacyTextFile::readFixedRecords(columns, 3, 3, 2, records),
                 ReadStatus::Malformed);
        // Written with CR LF ends; read with LF ends too, or none after the last record.
        QVERIFY(LegacyTextFile::writeFixedRecords(columns, "1X2222", 3));
        QCOMPARE(TestSystems::fileContent(columns), QByteArray("\"1X2\"\r\n\"222\"\r\n"));
        records.clear();
        const QString lf = written(dir, "\"1X2\"\n\"222\"");
        QCOMPARE(LegacyTextFile::readFixedRecords(lf, 2, 3, 2, records), ReadStatus::Ok);
        QCOMPARE(records, QByteArray("1X2222"));
        const QString shortRecord = written(dir, "\"1X\"\r\n\"222\"\r\n");
        QCOMPARE(LegacyTextFile::readFixedRecords(shortRecord, 2, 3, 2, records),
                 ReadStatus::Malformed);
    }
};

QTEST_GUILESS_MAIN(TestTextDecoding)
#include "testTextDecoding.moc"
