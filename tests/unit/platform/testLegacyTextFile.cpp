#include "platform/Cp1252.h"
#include "platform/LegacyTextFile.h"
#include "support/TestSystems.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
using TestSystems::fileContent;

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}
} // namespace

class TestLegacyTextFile : public QObject {
    Q_OBJECT
private slots:
    void writesOneValuePerCrLfLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.sys"));
        QVERIFY(LegacyTextFile::write(
            path, {QStringLiteral("Città è"), 12.0, 1.5, 0.0, QString(), QStringLiteral("€")}));
        QCOMPARE(fileContent(path),
                 QByteArray("\"Citt\xe0 \xe8\"\r\n12\r\n1.5\r\n0\r\n\"\"\r\n\"\x80\"\r\n"));

        const LegacyTextFile::ReadResult read = LegacyTextFile::read(path, {10, 20});
        QCOMPARE(read.status, LegacyTextFile::ReadStatus::Ok);
        QCOMPARE(read.values.size(), 6);
        QCOMPARE(read.values[0].toString(), QStringLiteral("Città è"));
        QCOMPARE(read.values[1].toDouble(), 12.0);
        QCOMPARE(read.values[2].toDouble(), 1.5);
        QCOMPARE(read.values[4].toString(), QString());
        QCOMPARE(read.values[5].toString(), QStringLiteral("€"));
    }

    void readsLfEndingsAndReportsMissingOrMalformedFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("b.sys"));
        writeBytes(path, "\"uno\"\n2\n");
        const auto read = LegacyTextFile::read(path, {10, 20});
        QCOMPARE(read.status, LegacyTextFile::ReadStatus::Ok);
        QCOMPARE(read.values.size(), 2);
        QCOMPARE(read.values[0].toString(), QStringLiteral("uno"));

        writeBytes(path, "\"uno\"\r\nnot a number\r\n");
        const auto bad = LegacyTextFile::read(path, {10, 20});
        QCOMPARE(bad.status, LegacyTextFile::ReadStatus::Malformed);
        QCOMPARE(bad.badLine, 1);

        QCOMPARE(LegacyTextFile::read(dir.filePath(QStringLiteral("none")), {10, 20}).status,
                 LegacyTextFile::ReadStatus::NotFound);
    }

    void fixedRecordsRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.ntg"));
        const QByteArray records("1X21X21X21X21"
                                 "2222222222222");
        QVERIFY(LegacyTextFile::writeFixedRecords(path, records, 13));
        QCOMPARE(fileContent(path), QByteArray("\"1X21X21X21X21\"\r\n\"2222222222222\"\r\n"));
        QByteArray back;
        QCOMPARE(LegacyTextFile::readFixedRecords(path, 2, 13, 10, back),
                 LegacyTextFile::ReadStatus::Ok);
        QCOMPARE(back, records);
        // LF endings, and no line end after the last record.
        writeBytes(path, "\"1X21X21X21X21\"\n\"2222222222222\"");
        QCOMPARE(LegacyTextFile::readFixedRecords(path, 2, 13, 10, back),
                 LegacyTextFile::ReadStatus::Ok);
        QCOMPARE(back, records);
        // A record of the wrong width.
        writeBytes(path, "\"1X21X21X21X2\"\r\n\"2222222222222\"\r\n");
        QCOMPARE(LegacyTextFile::readFixedRecords(path, 2, 13, 10, back),
                 LegacyTextFile::ReadStatus::Malformed);
        QVERIFY(LegacyTextFile::writeFixedRecords(path, records, 13));
        // Fewer lines than the count says.
        QCOMPARE(LegacyTextFile::readFixedRecords(path, 3, 13, 10, back),
                 LegacyTextFile::ReadStatus::Malformed);
    }

    void failedWriteKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keep.sys"));
        QVERIFY(LegacyTextFile::write(path, {QStringLiteral("old")}));
        // A folder in the way of the temporary file makes the write fail before the rename.
        const QString blocked = dir.filePath(QStringLiteral("missing/keep.sys"));
        QString error;
        QVERIFY(!LegacyTextFile::write(blocked, {QStringLiteral("new")}, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(fileContent(path), QByteArray("\"old\"\r\n"));
    }

    void codePageCoversTheHighControls()
    {
        QCOMPARE(Cp1252::encode(u"\u20ac\u2019\u00e0"), QByteArray("\x80\x92\xe0"));
        QCOMPARE(Cp1252::decode("\x80\x92\xe0"), QString::fromUtf16(u"\u20ac\u2019\u00e0"));
        QCOMPARE(Cp1252::encode(u"\u4e2d"), QByteArray("?"));
    }
};

QTEST_GUILESS_MAIN(TestLegacyTextFile)
#include "testLegacyTextFile.moc"
