#include "conditions/ui/ConditionsDialog.h"
#include "conditions/ui/SequencesDialog.h"
#include "conditions/ui/SymmetryParallelsDialog.h"
#include "platform/ui/StatusPanels.h"
#include "support/GuiDriver.h"
#include "support/TestSystems.h"

#include <QCheckBox>

using namespace Qt::StringLiterals;

namespace {

// "i=v" pairs: a quoted v is a text, another a number.
QList<std::pair<int, QVariant>> entries(const QString& pairs)
{
    QList<std::pair<int, QVariant>> list;
    for (const QString& pair : pairs.split(u' ', Qt::SkipEmptyParts)) {
        const QString value = pair.section(u'=', 1);
        list.append({pair.section(u'=', 0, 0).toInt(),
                     value.startsWith(u'"') ? QVariant(value.mid(1, value.size() - 2))
                                            : QVariant(value.toDouble())});
    }
    return list;
}

QLineEdit* box(QWidget* dialog, int i)
{
    return child<QLineEdit>(dialog, u"txtCond(%1)"_s.arg(i));
}

QCheckBox* active(QWidget* dialog, int i)
{
    return child<QCheckBox>(dialog, u"ckATT(%1)"_s.arg(i));
}

// Enters a box and replaces its text by typing.
void enter(QWidget* dialog, int i, const QString& keys)
{
    box(dialog, i)->setFocus(Qt::MouseFocusReason);
    typeInto(box(dialog, i), keys);
}

void typeAndLeave(QWidget* dialog, int i, const QString& keys)
{
    enter(dialog, i, keys);
    QTest::keyClick(box(dialog, i), Qt::Key_Tab);
}

// Four fixed 1, seven 1X and two X2 (Segni1 = 11, Fissi1 = 4, SegniX = 9, Segni2 = 2), with
// admissible bounds for every kind and two sequences.
void prepare(StartedProgram& p)
{
    p.document() = TestSystems::withPrediction(
        {"1", "1", "1", "1", "1X", "1X", "1X", "1X", "1X", "1X", "1X", "X2", "X2"});
    ConditionSet& conditions = p.document().Conditions;
    const QList<double> bounds = {4, 11, 0, 9,  0, 2, 1, 4, 0, 3, 0, 2,
                                  0, 12, 0, 12, 0, 3, 0, 3, 1, 5, 1, 3};
    for (int i = 1; i <= 24; ++i)
        conditions.set(i, bounds[i - 1]);
    for (int i = 46; i <= 49; ++i)
        conditions.set(i, QList<double>{2, 9, 1, 4}[i - 46]);
    const QStringList sequences = {"12X ", "1-2-3", "S", "X1", "7-9", "N"};
    for (int i = 31; i <= 36; ++i)
        conditions.set(i, sequences[i - 31]);
}

// The dialog that edits the conditions of `mode`; "SEQU" stands for the sequences.
std::unique_ptr<QDialog> openIn(StartedProgram& p, const QString& mode)
{
    if (mode == "SEQU"_L1)
        return p.open<SequencesDialog>();
    if (mode == "SEGN"_L1 || mode == "INTE"_L1)
        return p.open<ConditionsDialog>(mode);
    return p.open<SymmetryParallelsDialog>(mode);
}

QColor fill(QWidget* dialog, int match)
{
    return child<QLabel>(dialog, u"lblPro(%1)"_s.arg(match))->palette().color(QPalette::Window);
}

bool bold(QWidget* dialog, const char* name)
{
    return child<QLabel>(dialog, QLatin1String(name))->font().bold();
}

} // namespace

class TestConditionDialogs final : public QObject {
    Q_OBJECT
private slots:
    void signsAndInterruptionsShowTheirBoxes()
    {
        StartedProgram p;
        prepare(p);
        auto d = openIn(p, u"SEGN"_s);
        QCOMPARE(d->windowTitle(), u"Prova - Segni"_s);
        QCOMPARE(textsOf(d.get(), {"txtCond(2)", "txtCond(14)", "lblCa(5)", "lblFc(13)",
                                   "lblPro(5)", "cmdChiudi"}),
                 (QStringList{"11", "12", "CASA 5", "OSPITE 13", "1X", "&Annulla"}));
        auto* info = child<StatusPanels>(d.get(), u"BarraInfo"_s);
        QVERIFY(info->isVisible());
        QStringList panels;
        for (int k = 1; k <= 6; ++k)
            panels << info->panelText(k);
        QCOMPARE(panels, (QStringList{" Segni 1:  11", " Segni 1 Fissi:  4", " Segni X:  9",
                                      " Segni X Fissi:  0", " Segni 2:  2", " Segni 2 Fissi:  0"}));
        for (int i = 1; i <= 16; ++i)
            QCOMPARE(box(d.get(), i)->isEnabled(), i <= 12);

        // Digits only, two of them; entering a box selects its text.
        enter(d.get(), 8, u"a3-x"_s);
        QCOMPARE(box(d.get(), 8)->text(), u"3"_s);
        QTest::keyClicks(box(d.get(), 8), u"12"_s);
        QCOMPARE(box(d.get(), 8)->text(), u"31"_s);
        QTest::keyClick(box(d.get(), 8), Qt::Key_Backspace);
        box(d.get(), 10)->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(box(d.get(), 10)->selectedText(), u"3"_s);
        // An admissible value moves on without a word.
        typeAndLeave(d.get(), 1, u"7"_s);
        QVERIFY(box(d.get(), 2)->hasFocus());
        QVERIFY(p.prompts.records().isEmpty());

        d = openIn(p, u"INTE"_s);
        QCOMPARE(d->windowTitle(), u"Prova - Interruzioni"_s);
        QVERIFY(!child(d.get(), u"BarraInfo"_s)->isVisible());
        for (int i = 1; i <= 16; ++i)
            QCOMPARE(box(d.get(), i)->isEnabled(), i >= 13);
    }

    void symmetriesAndParallelsShowTheirGroup()
    {
        StartedProgram p;
        prepare(p);
        auto d = openIn(p, u"SIMM"_s);
        QCOMPARE(d->windowTitle(), u"Prova - Simmetrie"_s);
        for (int i : SymmetryConditionsLogic::Boxes)
            QCOMPARE(box(d.get(), i)->isEnabled(), i <= 20);
        QCOMPARE(textsOf(d.get(), {"txtCond(18)", "txtCond(47)"}), (QStringList{"3", "9"}));
        // Each symmetric pair has a colour of its own; match 7 is white on black.
        QCOMPARE(fill(d.get(), 1), fill(d.get(), 13));
        QCOMPARE(fill(d.get(), 2), fill(d.get(), 12));
        QCOMPARE(fill(d.get(), 6), fill(d.get(), 8));
        QVERIFY(fill(d.get(), 1) != fill(d.get(), 2) && fill(d.get(), 5) != fill(d.get(), 6));
        QCOMPARE(fill(d.get(), 7), QColor(Qt::black));
        auto* seventh = child<QLabel>(d.get(), u"lblPro(7)"_s);
        QCOMPARE(seventh->palette().color(QPalette::WindowText), QColor(Qt::white));
        QVERIFY(seventh->autoFillBackground());
        // Counts of six pairs at most.
        enter(d.get(), 17, u"7"_s);
        QCOMPARE(box(d.get(), 17)->text(), u"0"_s);
        enter(d.get(), 17, u"a8-2"_s);
        QCOMPARE(box(d.get(), 17)->text(), u"2"_s);

        d = openIn(p, u"PARA"_s);
        QCOMPARE(d->windowTitle(), u"Prova - Paralleli"_s);
        for (int i : SymmetryConditionsLogic::Boxes)
            QCOMPARE(box(d.get(), i)->isEnabled(), i >= 21 && i <= 24);
        QCOMPARE(fill(d.get(), 1), fill(d.get(), 8));
        QCOMPARE(fill(d.get(), 6), fill(d.get(), 13));
        QVERIFY(fill(d.get(), 1) != fill(d.get(), 13));
        QCOMPARE(fill(d.get(), 7), QColor(Qt::black));

        d = openIn(p, u"PAR3"_s);
        QCOMPARE(d->windowTitle(), u"Prova - Paralleli a Passo 3"_s);
        for (int i : SymmetryConditionsLogic::Boxes)
            QCOMPARE(box(d.get(), i)->isEnabled(), i >= 46);
        // A step-3 pair joins two matches of the same parity.
        QCOMPARE(fill(d.get(), 1), fill(d.get(), 3));
        QCOMPARE(fill(d.get(), 7), fill(d.get(), 13));
        QCOMPARE(fill(d.get(), 2), fill(d.get(), 12));
        QVERIFY(fill(d.get(), 1) != fill(d.get(), 2));
        typeAndLeave(d.get(), 47, u"11"_s);
        QCOMPARE(box(d.get(), 47)->text(), u"11"_s);
        QVERIFY(box(d.get(), 48)->hasFocus());
    }

    void refusedOnLeaving_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("corrected");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* mode, int box, const char* keys, const char* corrected,
                            const char* message) {
            QTest::addRow("%s box %d %s", mode, box, keys)
                << QString::fromLatin1(mode) << box << QString::fromLatin1(keys)
                << QString::fromLatin1(corrected) << QString::fromLatin1(message);
        };
        // One refusal of each dialog and mode; the logic tables hold the rest.
        row("SEGN", 1, "12", "11", "Valore dei Segni 1 Minimi non ammesso !");
        row("INTE", 14, "13", "12", "Valore delle Interruzioni Massime non ammesso (Max. 12) !");
        row("SIMM", 19, "4", "3", "Valore delle Simmetrie consecutive Minime non ammesso !");
        // The step-3 message keeps its wording.
        row("PAR3", 48, "10", "9", "Valore dei Paralleili P3 consecutivi Minimi non ammesso !");
        row("SEQU", 25, "2 ", "2", "Inserire almeno 2 segni !");
        row("SEQU", 28, "11111111111111", "11111111111111", "Inserire al massimo 13 segni !");
    }
    void refusedOnLeaving()
    {
        QFETCH(QString, mode);
        QFETCH(int, box);
        QFETCH(QString, keys);
        QFETCH(QString, corrected);
        QFETCH(QString, message);
        StartedProgram p;
        prepare(p);
        auto d = openIn(p, mode);
        p.prompts.expectMessage(message);
        typeAndLeave(d.get(), box, keys);
        QCOMPARE(::box(d.get(), box)->text(), corrected);
        QVERIFY(::box(d.get(), box)->hasFocus());
        QCOMPARE(p.prompts.lastMessage().icon, MessageIcon::Exclamation);
        QCOMPARE(p.prompts.lastMessage().title, u"Prova"_s);
        // The predicted signs stay bold while a signs box is being corrected.
        if (mode == "SEQU"_L1)
            QVERIFY(bold(d.get(), "lblPro(1)"));
    }

    void checksBetweenBoxes()
    {
        StartedProgram p;
        prepare(p);
        auto d = openIn(p, u"SEGN"_s);
        // At least three X make a run of at least one X.
        typeAndLeave(d.get(), 3, u"3"_s);
        QVERIFY(box(d.get(), 4)->hasFocus());
        p.prompts.expectMessage(u"Valore dei Segni X Minimi consecutivi non ammesso !"_s);
        typeAndLeave(d.get(), 9, u"0"_s);
        QCOMPARE(box(d.get(), 9)->text(), u"1"_s);
    }

    void okChecksTheWholeDialog()
    {
        StartedProgram p;
        prepare(p);
        auto d = openIn(p, u"SEGN"_s);
        // A refused leave stops the click on OK; the corrected value passes on the next one.
        p.prompts.expectMessage(u"Valore dei Segni 2 Massimi non ammesso !"_s);
        enter(d.get(), 6, u"5"_s);
        clickOn(d.get(), u"cmdOK"_s);
        QCOMPARE(box(d.get(), 6)->text(), u"2"_s);
        QVERIFY(box(d.get(), 6)->hasFocus());
        QCOMPARE(p.document().Modified, 0);
        // OK checks the maxima against the minima: it marks the system modified even so.
        enter(d.get(), 10, u"2"_s);
        typeAndLeave(d.get(), 9, u"3"_s);
        p.prompts.expectMessage(u"Valore dei Segni X Massimi consecutivi non ammesso !"_s);
        clickOn(d.get(), u"cmdOK"_s);
        QVERIFY(d->isVisible());
        QCOMPARE(box(d.get(), 10)->text(), u"3"_s);
        QVERIFY(box(d.get(), 10)->hasFocus());
        QCOMPARE(p.document().Modified, 1);
        QCOMPARE(p.session->caption(), u"QUADRIGO 13 - Prova *"_s);
        QCOMPARE(p.document().Conditions.number(9), 0.0);
        QVERIFY(!p.session->commands().isEnabled(u"mnuElabora"_s));
        clickOn(d.get(), u"cmdOK"_s);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(p.document().Conditions.at(9), QVariant(3.0));
        QCOMPARE(p.document().Conditions.at(10), QVariant(3.0));
        QCOMPARE(p.document().Conditions.at(6), QVariant(2.0));

        // Enter checks the box it leaves, then confirms.
        d = openIn(p, u"SEGN"_s);
        p.prompts.expectMessage(u"Valore dei Segni 1 Massimi consecutivi non ammesso !"_s);
        enter(d.get(), 8, u"12"_s);
        QTest::keyClick(box(d.get(), 8), Qt::Key_Return);
        QVERIFY(d->isVisible());
        QCOMPARE(box(d.get(), 8)->text(), u"11"_s);
        QTest::keyClick(box(d.get(), 8), Qt::Key_Return);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(p.document().Conditions.at(8), QVariant(11.0));
    }

    void confirmOrCancel_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("typed"); // "*" clicks the box of an active row
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("modified");
        const auto row = [](const char* tag, const char* typed, bool ok, const char* stored,
                            int modified) {
            QTest::newRow(tag) << QString::fromLatin1(tag).left(4) << QString::fromLatin1(typed)
                               << ok << QString::fromLatin1(stored) << modified;
        };
        row("SEGN OK", R"(1="7")", true, "1=7 2=11 13=0", 1);
        // The signs boxes are not this mode's.
        row("INTE OK", R"(13="2" 15="1")", true, "13=2 14=12 15=1 16=12 1=4", 1);
        // Every group is stored, a bound loaded as text as its number.
        row("SIMM OK", R"(17="2")", true,
            "17=2 18=3 19=0 20=3 21=1 22=5 23=1 24=3 46=2 47=9 48=1 49=4", 1);
        // The sequences are stored trimmed, without marking the system modified.
        row("SEQU OK", R"(25="2X1" 26="-4-5-11-" 27="*" 33="*" 40="12")", true,
            R"(25="2X1" 26="4-5-11" 27="S" 31="12X" 33="N" 34="X1" )"
            R"(40="12" 41="" 42="N" 45="N" 46=2)",
            0);
        // Leaving a box for Annulla checks nothing: the typed values are dropped anyway.
        row("SEGN Annulla", R"(1="")", false, "1=4", 0);
        row("PARA Annulla", R"(21="4")", false, "21=1", 0);
        row("SEQU Annulla", R"(25="2")", false, "25=0", 0);
    }
    void confirmOrCancel()
    {
        QFETCH(QString, mode);
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, stored);
        QFETCH(int, modified);
        StartedProgram p;
        prepare(p);
        p.document().Conditions.set(22, u" 5"_s);
        auto d = openIn(p, mode);
        for (const auto& [i, keys] : entries(typed)) {
            if (keys == u"*"_s)
                active(d.get(), i)->click();
            else
                enter(d.get(), i, keys.toString());
        }
        clickOn(d.get(), ok ? u"cmdOK"_s : u"cmdChiudi"_s);
        QCOMPARE(d->result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
        for (const auto& [i, value] : entries(stored))
            QCOMPARE(p.document().Conditions.at(i), value);
        QCOMPARE(p.document().Modified, modified);
        QCOMPARE(p.session->caption().endsWith(u" *"_s), modified == 1);
        QCOMPARE(p.session->commands().isEnabled(u"mnuElabora"_s), ok);
        QCOMPARE(p.session->commands().isEnabled(u"tmElabora"_s), ok);
    }

    void sequenceRowsAndKeys()
    {
        StartedProgram p;
        prepare(p);
        auto d = openIn(p, u"SEQU"_s);
        QCOMPARE(d->windowTitle(), u"Prova - Elimina Sequele"_s);
        // A new system's entries, the number 0, show as empty rows.
        QCOMPARE(textsOf(d.get(), {"txtCond(25)", "txtCond(26)", "txtCond(31)", "txtCond(32)",
                                   "txtCond(33)"}),
                 (QStringList{"", "", "12X", "1-2-3", "S"}));
        QVERIFY(!active(d.get(), 27)->isChecked() && !active(d.get(), 36)->isChecked());
        QVERIFY(active(d.get(), 33)->isChecked());
        for (int b = 25; b <= 43; b += 3)
            QVERIFY(box(d.get(), b) && box(d.get(), b + 1) && box(d.get(), b + 2)->isHidden());

        // The predicted signs are bold while signs are typed, the match numbers while fields are.
        QVERIFY(!bold(d.get(), "lblN(1)") && !bold(d.get(), "lblPro(1)"));
        box(d.get(), 25)->setFocus(Qt::MouseFocusReason);
        QVERIFY(bold(d.get(), "lblPro(1)") && bold(d.get(), "lblPro(13)"));
        QVERIFY(!bold(d.get(), "lblN(1)"));
        enter(d.get(), 25, u"2x3a0 1"_s);
        QCOMPARE(box(d.get(), 25)->text(), u"2XX1"_s);
        QTest::keyClick(box(d.get(), 25), Qt::Key_Tab);
        QVERIFY(!bold(d.get(), "lblPro(1)"));
        QVERIFY(bold(d.get(), "lblN(1)") && bold(d.get(), "lblN(13)"));
        enter(d.get(), 26, u"4-a5 -x11-x3"_s);
        QCOMPARE(box(d.get(), 26)->text(), u"4-5-11-3"_s);
        QTest::keyClick(box(d.get(), 26), Qt::Key_Backspace);
        QCOMPARE(box(d.get(), 26)->text(), u"4-5-11-"_s);
        QTest::keyClicks(box(d.get(), 26), u"2"_s);
        box(d.get(), 28)->setFocus(Qt::MouseFocusReason);
        QVERIFY(!bold(d.get(), "lblN(1)") && bold(d.get(), "lblPro(1)"));

        // The focus reaching OK clears the rows without signs.
        active(d.get(), 27)->setChecked(true);
        typeAndLeave(d.get(), 38, u"1-2"_s);
        active(d.get(), 39)->setChecked(true);
        child(d.get(), u"cmdOK"_s)->setFocus(Qt::TabFocusReason);
        QCOMPARE(textsOf(d.get(), {"txtCond(38)", "txtCond(39)", "txtCond(26)"}),
                 (QStringList{"", "", "4-5-11-2"}));
        QVERIFY(!active(d.get(), 39)->isChecked());
        QVERIFY(active(d.get(), 27)->isChecked() && active(d.get(), 33)->isChecked());
    }

    void rowWithoutSignsIsClearedHoweverConfirmed_data()
    {
        QTest::addColumn<QString>("confirmFrom");
        for (const char* control : {"txtCond(25)", "txtCond(29)", "ckATT(30)", "cmdOK"})
            QTest::newRow(control) << QString::fromLatin1(control);
    }
    void rowWithoutSignsIsClearedHoweverConfirmed()
    {
        QFETCH(QString, confirmFrom);
        StartedProgram p;
        prepare(p);
        auto d = openIn(p, u"SEQU"_s);
        enter(d.get(), 25, u"2X"_s);
        enter(d.get(), 26, u"1-2"_s);
        enter(d.get(), 29, u"4-5"_s);
        active(d.get(), 30)->setChecked(true);
        // Enter in a box or on a switch, or the space bar on OK.
        QWidget* control = child(d.get(), confirmFrom);
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, confirmFrom == "cmdOK"_L1 ? Qt::Key_Space : Qt::Key_Return);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QStringList stored;
        for (int i : {25, 26, 28, 29, 30})
            stored << p.document().Conditions.text(i);
        QCOMPARE(stored, (QStringList{"2X", "1-2", "", "", "N"}));
    }

    void sequenceFieldsChecks()
    {
        StartedProgram p;
        prepare(p);
        auto d = openIn(p, u"SEQU"_s);
        typeAndLeave(d.get(), 25, u"231"_s);
        QCOMPARE(box(d.get(), 25)->text(), u"2X1"_s);
        QVERIFY(box(d.get(), 26)->hasFocus());
        const QList<std::pair<const char*, const char*>> refused = {
            {"4--5-11", "Rilevati trattini Doppi (--) !"},
            {"4-5", "Numero di campi non valido !"},
            {"", "Numero di campi non valido !"}, // an empty list counts as one field
            {"4-5-14", "Numero di campo non valido (1...13) !"},
            {"0-5-4", "Numero di campo non valido (1...13) !"}};
        for (const auto& [keys, message] : refused) {
            p.prompts.expectMessage(QString::fromUtf8(message));
            typeAndLeave(d.get(), 26, QLatin1String(keys));
            QCOMPARE(box(d.get(), 26)->text(), QLatin1String(keys));
            QVERIFY(box(d.get(), 26)->hasFocus());
        }
        // Outer dashes go.
        typeAndLeave(d.get(), 26, u"-13-5-1-"_s);
        QCOMPARE(box(d.get(), 26)->text(), u"13-5-1"_s);
        QVERIFY(!box(d.get(), 26)->hasFocus());
        // Beside an empty signs box the row is unused: its fields are not counted.
        typeAndLeave(d.get(), 29, u"4-5"_s);
        QVERIFY(!box(d.get(), 29)->hasFocus());
        typeAndLeave(d.get(), 28, u"1111111111111"_s);
        QVERIFY(box(d.get(), 29)->hasFocus());
    }
};

QTEST_MAIN(TestConditionDialogs)
#include "testConditionDialogs.moc"
