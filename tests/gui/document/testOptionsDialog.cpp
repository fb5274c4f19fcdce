#include "document/ui/FolderDialog.h"
#include "document/ui/OptionsDialog.h"
#include "session/Session.h"
#include "support/DialogDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

class TestOptionsDialog final : public QObject, private DialogDriver<OptionsDialog> {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstStartShowsTheDefaults();
    void keyFiltersAndLengths();
    void sharesCheckedOnLeaving();
    void emptyFieldRefused();
    void okWritesOpzioniSys();
    void reopensWithStoredOptions();
    void chiudiWritesNothing();
    void cercaPicksTheFolder();

private:
    QLineEdit* field(int k) const
    {
        return m_dialog->findChild<QLineEdit*>(QStringLiteral("txtOpt(%1)").arg(k));
    }
    void type(int k, const QString& keys)
    {
        QTest::keyClick(field(k), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field(k), Qt::Key_Backspace);
        QTest::keyClicks(field(k), keys);
    }
    // Moves the focus from one field to another, as clicking into it does.
    void moveFocus(int from, int to)
    {
        field(from)->setFocus(Qt::MouseFocusReason);
        QVERIFY(field(from)->hasFocus());
        field(to)->setFocus(Qt::MouseFocusReason);
    }
    QString optionsPath() const { return m_folder->filePath(QStringLiteral("Opzioni.sys")); }
    QByteArray optionsFile() const
    {
        QFile file(optionsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

void TestOptionsDialog::init()
{
    startSession();
}

void TestOptionsDialog::cleanup()
{
    endSession();
}

void TestOptionsDialog::firstStartShowsTheDefaults()
{
    open();
    QCOMPARE(m_dialog->objectName(), QStringLiteral("frmOPZIONI"));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("QUADRIGO 13 - Opzioni"));
    QCOMPARE(field(1)->text(), m_session->defaultSystemsFolder());
    const QStringList shown = {"0.5", "1", " ", " ", "", ""};
    for (int k = 2; k <= 7; ++k)
        QCOMPARE(field(k)->text(), shown[k - 2]);
    QVERIFY(!field(6)->isVisible());
    QVERIFY(!field(7)->isVisible());
    auto* info = m_dialog->findChild<QCheckBox*>(QStringLiteral("chkInfo"));
    QVERIFY(!info->isChecked());
    QCOMPARE(info->text(),
             QStringLiteral("Visualizza finestra Informazioni Pronostico all'apertura"));
}

void TestOptionsDialog::keyFiltersAndLengths()
{
    open();
    const QList<std::tuple<int, const char*, const char*>> cases = {
        {2, "0,5", "05"},
        {2, "1.25", "1.25"},
        {2, "0.555", "0.55"},
        {2, "a 1", " 1"},
        {3, "1.5x", "15"},
        {3, "1234", "123"},
        {4, "abcde", "abcd"},
        {5, "2000/2001x", "2000/2001"},
        {1, "D:\\Gioco, 13\\", "D:\\Gioco, 13\\"}};
    for (const auto& [k, keys, shown] : cases) {
        type(k, QString::fromLatin1(keys));
        QCOMPARE(field(k)->text(), QString::fromLatin1(shown));
    }
}

void TestOptionsDialog::sharesCheckedOnLeaving()
{
    m_session->document().SystemName = QStringLiteral("Prova");
    open();
    type(3, QStringLiteral("300"));
    m_prompts->expectMessage(QStringLiteral("Valore Quote errato"));
    moveFocus(3, 4);
    QCOMPARE(m_prompts->lastMessage().icon, MessageIcon::Exclamation);
    QCOMPARE(m_prompts->lastMessage().title, QStringLiteral("Prova"));
    QCOMPARE(field(3)->text(), QStringLiteral("300"));

    type(3, QStringLiteral("007"));
    moveFocus(3, 2);
    QCOMPARE(field(3)->text(), QStringLiteral("7"));

    type(3, QStringLiteral("255"));
    moveFocus(3, 2);
    QCOMPARE(field(3)->text(), QStringLiteral("255"));

    type(3, QStringLiteral("0"));
    m_prompts->expectMessage(QStringLiteral("Valore Quote errato"));
    moveFocus(3, 1);
    QCOMPARE(field(3)->text(), QStringLiteral("0"));
}

void TestOptionsDialog::emptyFieldRefused()
{
    open();
    // The statistics defaults start as a blank, which is empty: the user must fill them.
    m_prompts->expectMessage(QStringLiteral("Errore nei dati! Riprovare"));
    clickOk();
    QCOMPARE(m_prompts->lastMessage().icon, MessageIcon::Exclamation);
    QVERIFY(m_dialog->isVisible());
    QVERIFY(!QFile::exists(optionsPath()));

    type(4, QStringLiteral("10"));
    type(5, QStringLiteral("2001"));
    type(2, QStringLiteral("  "));
    m_prompts->expectMessage(QStringLiteral("Errore nei dati! Riprovare"));
    clickOk();
    QVERIFY(!QFile::exists(optionsPath()));
}

void TestOptionsDialog::okWritesOpzioniSys()
{
    open();
    type(1, QStringLiteral("  C:\\Giochi\\Sistemi\\ "));
    type(2, QStringLiteral("0.5"));
    type(3, QStringLiteral("12"));
    type(4, QStringLiteral("50"));
    type(5, QStringLiteral("2000/2001"));
    QTest::mouseClick(m_dialog->findChild<QCheckBox*>(QStringLiteral("chkInfo")), Qt::LeftButton);
    clickOk();

    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(optionsFile(), QByteArray("\"C:\\Giochi\\Sistemi\"\r\n\"0.5\"\r\n\"12\"\r\n\"50\"\r\n"
                                       "\"2000/2001\"\r\n\"\"\r\n\"S\"\r\n"));
    QCOMPARE(m_session->systemsFolder(), QStringLiteral("C:\\Giochi\\Sistemi"));
    QCOMPARE(m_session->options().columnCost(), 0.5);
    QCOMPARE(m_session->options().defaultQuote(), 12);

    // Only one final separator goes; unchecked gives "N".
    open();
    type(1, QStringLiteral("/home/gioco//"));
    QTest::mouseClick(m_dialog->findChild<QCheckBox*>(QStringLiteral("chkInfo")), Qt::LeftButton);
    clickOk();
    QVERIFY(optionsFile().startsWith("\"/home/gioco/\"\r\n"));
    QVERIFY(optionsFile().endsWith("\"\"\r\n\"N\"\r\n"));
}

void TestOptionsDialog::reopensWithStoredOptions()
{
    QFile file(optionsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\"E:\\Sistemi\"\r\n\"1\"\r\n\"3\"\r\n\"20\"\r\n\"1999/2000\"\r\n\"riservato\"\r\n"
               "\"S\"\r\n");
    file.close();
    QVERIFY(m_session->loadOptions());
    open();
    const QStringList shown = {"E:\\Sistemi", "1", "3", "20", "1999/2000", "riservato"};
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(field(k)->text(), shown[k - 1]);
    QVERIFY(m_dialog->findChild<QCheckBox*>(QStringLiteral("chkInfo"))->isChecked());

    // The hidden value survives a confirmation.
    clickOk();
    QCOMPARE(optionsFile(), QByteArray("\"E:\\Sistemi\"\r\n\"1\"\r\n\"3\"\r\n\"20\"\r\n"
                                       "\"1999/2000\"\r\n\"riservato\"\r\n\"S\"\r\n"));
}

void TestOptionsDialog::chiudiWritesNothing()
{
    open();
    type(4, QStringLiteral("10"));
    type(5, QStringLiteral("2001"));
    click("cmdChiudi");
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(optionsPath()));
    QCOMPARE(m_session->options()[Options::StatsLastColumns], QString());
}

void TestOptionsDialog::cercaPicksTheFolder()
{
    QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("Sistemi/Vecchi")));
    const QString target = m_folder->filePath(QStringLiteral("Sistemi/Vecchi"));
    open();
    type(1, QDir::toNativeSeparators(m_folder->filePath(QStringLiteral("Sistemi"))));

    bool seen = false;
    QTimer::singleShot(0, m_dialog.get(), [&] {
        auto* chooser = m_dialog->findChild<FolderDialog*>();
        QVERIFY(chooser);
        seen = true;
        QCOMPARE(chooser->objectName(), QStringLiteral("frmCARTELLA"));
        QCOMPARE(chooser->windowTitle(), QStringLiteral("QUADRIGO 13 - Cartella dei Sistemi"));
        auto* tree = chooser->findChild<QTreeView*>(QStringLiteral("DirCerca"));
        QVERIFY(tree);
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        // The list opens at the folder of field 1.
        QCOMPARE(model->filePath(tree->currentIndex()),
                 m_folder->filePath(QStringLiteral("Sistemi")));
        tree->setCurrentIndex(model->index(target));
        QTest::mouseClick(chooser->findChild<QPushButton*>(QStringLiteral("cmdOK")),
                          Qt::LeftButton);
    });
    click("cmdCerca");
    QVERIFY(seen);
    QCOMPARE(field(1)->text(), QDir::toNativeSeparators(target));
    // Nothing is stored until OK.
    QVERIFY(!QFile::exists(optionsPath()));
}

QTEST_MAIN(TestOptionsDialog)
#include "testOptionsDialog.moc"
