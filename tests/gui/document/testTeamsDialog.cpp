#include "document/ui/TeamsDialog.h"
#include "session/Session.h"
#include "support/DialogDriver.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The field name of position k (1..74).
QString fieldName(int k)
{
    if (k <= 18)
        return QStringLiteral("txtSerieA(%1)").arg(k);
    if (k <= 38)
        return QStringLiteral("txtSerieB(%1)").arg(k - 18);
    if (k <= 56)
        return QStringLiteral("txtSerieC1A(%1)").arg(k - 38);
    return QStringLiteral("txtSerieC1B(%1)").arg(k - 56);
}

} // namespace

class TestTeamsDialog final : public QObject, private DialogDriver<TeamsDialog> {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void okWithNothingTypedWritesTheDefaults();
    void typedNamesAreWrittenAsTyped();
    void reopensWithStoredNames();
    void annullaWritesNothing();

private:
    QLineEdit* field(int k) const { return m_dialog->findChild<QLineEdit*>(fieldName(k)); }
    void type(int k, const QString& keys)
    {
        QTest::keyClick(field(k), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field(k), Qt::Key_Backspace);
        QTest::keyClicks(field(k), keys);
    }
    QString teamsPath() const { return m_folder->filePath(QStringLiteral("Squadre.sys")); }
    QByteArray teamsFile() const
    {
        QFile file(teamsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray defaultsFile(const QMap<int, QByteArray>& typed = {})
    {
        QByteArray expected;
        for (int k = 1; k <= 74; ++k)
            expected += '"' + typed.value(k, "SQUADRA " + QByteArray::number(k)) + "\"\r\n";
        return expected;
    }
};

void TestTeamsDialog::init()
{
    startSession();
}

void TestTeamsDialog::cleanup()
{
    endSession();
}

void TestTeamsDialog::okWithNothingTypedWritesTheDefaults()
{
    open();
    QCOMPARE(field(1)->text(), QString());
    click("cmdOK");
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    const QByteArray written = teamsFile();
    QVERIFY(written.startsWith("\"SQUADRA 1\"\r\n\"SQUADRA 2\"\r\n"));
    QCOMPARE(written, defaultsFile());
    QCOMPARE(field(23)->text(), QStringLiteral("SQUADRA 23"));
    // Read back into the list, 15 characters each.
    QCOMPARE(m_session->teams().name(23), QStringLiteral("SQUADRA 23     "));
    QCOMPARE(m_session->teams().name(74), QStringLiteral("SQUADRA 74     "));
}

void TestTeamsDialog::typedNamesAreWrittenAsTyped()
{
    open();
    type(1, QStringLiteral("JUVENTUS"));
    type(23, QStringLiteral("ROMA"));
    type(74, QStringLiteral("A NAME LONGER THAN FIFTEEN"));
    type(40, QStringLiteral("   "));
    click("cmdOK");
    QCOMPARE(teamsFile(),
             defaultsFile({{1, "JUVENTUS"}, {23, "ROMA"}, {74, "A NAME LONGER THAN FIFTEEN"}}));
    QCOMPARE(m_session->teams().name(1), QStringLiteral("JUVENTUS       "));
    QCOMPARE(m_session->teams().name(74), QStringLiteral("A NAME LONGER T"));
}

void TestTeamsDialog::reopensWithStoredNames()
{
    open();
    type(19, QStringLiteral("BARI"));
    click("cmdOK");
    open();
    QCOMPARE(field(19)->text(), QStringLiteral("BARI           "));
    QCOMPARE(field(1)->text(), QStringLiteral("SQUADRA 1      "));
}

void TestTeamsDialog::annullaWritesNothing()
{
    open();
    type(1, QStringLiteral("JUVENTUS"));
    click("cmdAnnulla");
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(teamsPath()));
    QCOMPARE(m_session->teams().name(1), QStringLiteral("SQUADRA 1      "));
}

QTEST_MAIN(TestTeamsDialog)
#include "testTeamsDialog.moc"
