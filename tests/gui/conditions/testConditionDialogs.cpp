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

// The pairing the panel's fill colours show: each match as the letter of the first match of its
// colour, '*' where it is white on black.
QString colourGroups(QWidget* dialog)
{
    const auto label = [dialog](int match) {
        return child<QLabel>(dialog, u"lblPro(%1)"_s.arg(match));
    };
    QString groups;
    for (int i = 1; i <= 13; ++i) {
        const QPalette palette = label(i)->palette();
        int first = 1;
        while (label(first)->palette().color(QPalette::Window) != palette.color(QPalette::Window))
            ++first;
        const bool inverted = palette.color(QPalette::Window) == Qt::black &&
                              palette.color(QPalette::WindowText) == Qt::white &&
                              label(i)->autoFillBackground();
        groups += inverted ? QChar(u'*') : QChar(u'a' + first - 1);
    }
    return groups;
}

bool bold(QWidget* dialog, const char* name)
{
    return child<QLabel>(dialog, QLatin1String(name))->font().bold();
}

// Which of the first and last match numbers and predicted signs are bold.
QString boldOnes(QWidget* dialog)
{
    QStringList names;
    for (const char* name : {"lblN(1)", "lblN(13)", "lblPro(1)", "lblPro(13)"})
        if (bold(dialog, name))
            names << QLatin1String(name);
    return names.join(u' ');
}

// The rows among `rows` whose switch is ticked.
QString ticked(QWidget* dialog, const QList<int>& rows)
{
    QStringList on;
    for (int i : rows)
        if (active(dialog, i)->isChecked())
            on << QString::number(i);
    return on.join(u' ');
}

} // namespace

class TestConditionDialogs final : public QObject {
    Q_OBJECT
private slots:
    void boxesRefusalsAndOkOfEachMode()
    {
        StartedProgram p;
        prepare(p);
        auto d = openIn(p, u"SEGN"_s);
        QCOMPARE(d->windowTitle(), u"Prova - Segni"_s);
        QCOMPARE(
            textsOf(d.get(), u"txtCond(2) txtCond(14) lblCa(5) lblFc(13) lblPro(5) cmdChiudi"_s),
            u"11|12|CASA 5|OSPITE 13|1X|&Annulla"_s);
        auto* info = child<StatusPanels>(d.get(), u"BarraInfo"_s);
        QVERIFY(info->isVisible());
        QCOMPARE(info->panelText(1) + info->panelText(6), u" Segni 1:  11 Segni 2 Fissi:  0"_s);
        for (int i = 1; i <= 16; ++i)
            QCOMPARE(box(d.get(), i)->isEnabled(), i <= 12);

        // Digits only, two of them; entering a box selects its text.
        enter(d.get(), 8, u"a3-x"_s);
        QTest::keyClicks(box(d.get(), 8), u"12"_s);
        QCOMPARE(box(d.get(), 8)->text(), u"31"_s);
        QTest::keyClick(box(d.get(), 8), Qt::Key_Backspace);
        box(d.get(), 10)->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(box(d.get(), 10)->selectedText(), u"3"_s);
        // An admissible value moves on without a word.
        typeAndLeave(d.get(), 1, u"7"_s);
        QVERIFY(box(d.get(), 2)->hasFocus() && p.prompts.records().isEmpty());

        d = openIn(p, u"INTE"_s);
        QCOMPARE(d->windowTitle(), u"Prova - Interruzioni"_s);
        QVERIFY(!child(d.get(), u"BarraInfo"_s)->isVisible());
        for (int i = 1; i <= 16; ++i)
            QCOMPARE(box(d.get(), i)->isEnabled(), i >= 13);

        d = openIn(p, u"SEGN"_s);
        // A refused leave stops the click on OK; the corrected value passes on the next one.
        p.prompts.expectMessage(u"Valore dei Segni 2 Massimi non ammesso !"_s);
        enter(d.get(), 6, u"5"_s);
        clickOn(d.get(), u"cmdOK"_s);
        QVERIFY(box(d.get(), 6)->text() == "2"_L1 && box(d.get(), 6)->hasFocus());
        QCOMPARE(p.document().Modified, 0);
        // OK checks the maxima against the minima: it marks the system modified even so.
        enter(d.get(), 10, u"2"_s);
        typeAndLeave(d.get(), 9, u"3"_s);
        p.prompts.expectMessage(u"Valore dei Segni X Massimi consecutivi non ammesso !"_s);
        clickOn(d.get(), u"cmdOK"_s);
        QVERIFY(d->isVisible() && box(d.get(), 10)->text() == "3"_L1 &&
                box(d.get(), 10)->hasFocus());
        QCOMPARE(p.session->caption(), u"QUADRIGO 13 - Prova *"_s);
        QCOMPARE(p.document().Conditions.number(9), 0.0);
        QVERIFY(!p.session->commands().isEnabled(u"mnuElabora"_s));
        clickOn(d.get(), u"cmdOK"_s);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        for (const auto& [i, value] : entries(u"6=2 9=3 10=3"_s))
            QCOMPARE(p.document().Conditions.at(i), value);

        // Enter checks the box it leaves, then confirms.
        d = openIn(p, u"SEGN"_s);
        p.prompts.expectMessage(u"Valore dei Segni 1 Massimi consecutivi non ammesso !"_s);
        enter(d.get(), 8, u"12"_s);
        QTest::keyClick(box(d.get(), 8), Qt::Key_Return);
        QVERIFY(d->isVisible() && box(d.get(), 8)->text() == "11"_L1);
        QTest::keyClick(box(d.get(), 8), Qt::Key_Return);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(p.document().Conditions.at(8), QVariant(11.0));

        // Symmetries and parallels: mode, caption, first and last box of its group, the matches
        // paired by colour.
        const QList<std::tuple<const char*, const char*, int, int, const char*>> modes = {
            {"SIMM", "Prova - Simmetrie", 17, 20, "abcdef*fedcba"},
            {"PARA", "Prova - Paralleli", 21, 24, "abcdef*abcdef"},
            {"PAR3", "Prova - Paralleli a Passo 3", 46, 49, "ababababababa"}};
        for (const auto& [mode, caption, first, last, groups] : modes) {
            d = openIn(p, QLatin1String(mode));
            QCOMPARE(d->windowTitle(), QLatin1String(caption));
            for (int i : SymmetryConditionsLogic::Boxes)
                QCOMPARE(box(d.get(), i)->isEnabled(), i >= first && i <= last);
            QCOMPARE(colourGroups(d.get()), QLatin1String(groups));
        }
        // Counts of six pairs at most, of nine at step 3.
        d = openIn(p, u"SIMM"_s);
        QCOMPARE(textsOf(d.get(), u"txtCond(18) txtCond(47)"_s), u"3|9"_s);
        enter(d.get(), 17, u"7"_s);
        QCOMPARE(box(d.get(), 17)->text(), u"0"_s);
        enter(d.get(), 17, u"a8-2"_s);
        QCOMPARE(box(d.get(), 17)->text(), u"2"_s);
        d = openIn(p, u"PAR3"_s);
        typeAndLeave(d.get(), 47, u"11"_s);
        QVERIFY(box(d.get(), 47)->text() == "11"_L1 && box(d.get(), 48)->hasFocus());
    }

    // Mode|box|keys|text corrected|message: one refusal of each dialog and mode not refused
    // elsewhere; the logic tables hold the rest.
    void refusedOnLeaving_data()
    {
        QTest::addColumn<QString>("row");
        for (const char* row :
             {"INTE|14|13|12|Valore delle Interruzioni Massime non ammesso (Max. 12) !",
              "SIMM|19|4|3|Valore delle Simmetrie consecutive Minime non ammesso !",
              "PAR3|48|10|9|Valore dei Paralleili P3 consecutivi Minimi non ammesso !",
              "SEQU|25|2 |2|Inserire almeno 2 segni !",
              "SEQU|28|11111111111111|11111111111111|Inserire al massimo 13 segni !"})
            QTest::newRow(row) << QString::fromLatin1(row);
    }
    void refusedOnLeaving()
    {
        QFETCH(QString, row);
        const QStringList field = row.split(u'|');
        const int i = field[1].toInt();
        StartedProgram p;
        prepare(p);
        auto d = openIn(p, field[0]);
        p.prompts.expectMessage(field[4]);
        typeAndLeave(d.get(), i, field[2]);
        QVERIFY(box(d.get(), i)->text() == field[3] && box(d.get(), i)->hasFocus());
        QVERIFY(p.warned());
        // The predicted signs stay bold while a signs box is being corrected.
        if (field[0] == "SEQU"_L1)
            QVERIFY(bold(d.get(), "lblPro(1)"));
    }

    // Mode and button, the boxes typed ("*" clicks the switch of a row), the values stored and
    // Modified after it.
    void confirmOrCancel_data()
    {
        QTest::addColumn<QString>("row");
        const auto row = [](const char* tag, const char* typed, const char* stored) {
            QTest::newRow(tag) << QString::fromLatin1(tag) + u'|' + QLatin1String(typed) + u'|' +
                                      QLatin1String(stored);
        };
        row("SEGN OK", R"(1="7")", "1=7 2=11 13=0|1");
        // The signs boxes are not this mode's.
        row("INTE OK", R"(13="2" 15="1")", "13=2 14=12 15=1 16=12 1=4|1");
        // Every group is stored, a bound loaded as text as its number.
        row("SIMM OK", R"(17="2")",
            "17=2 18=3 19=0 20=3 21=1 22=5 23=1 24=3 46=2 47=9 48=1 49=4|1");
        // The sequences are stored trimmed, without marking the system modified.
        row("SEQU OK", R"(25="2X1" 26="-4-5-11-" 27="*" 33="*" 40="12")",
            R"(25="2X1" 26="4-5-11" 27="S" 31="12X" 33="N" 34="X1" 40="12" 41="" 42="N" 45="N" 46=2|0)");
        // Leaving a box for Annulla checks nothing: the typed values are dropped anyway.
        row("SEGN Annulla", R"(1="")", "1=4|0");
        row("PARA Annulla", R"(21="4")", "21=1|0");
        row("SEQU Annulla", R"(25="2")", "25=0|0");
    }
    void confirmOrCancel()
    {
        QFETCH(QString, row);
        const QStringList field = row.split(u'|');
        const bool ok = field[0].endsWith(u"OK"_s);
        const int modified = field[3].toInt();
        StartedProgram p;
        prepare(p);
        p.document().Conditions.set(22, u" 5"_s);
        auto d = openIn(p, field[0].left(4));
        for (const auto& [i, keys] : entries(field[1])) {
            if (keys == u"*"_s)
                active(d.get(), i)->click();
            else
                enter(d.get(), i, keys.toString());
        }
        clickOn(d.get(), ok ? u"cmdOK"_s : u"cmdChiudi"_s);
        QCOMPARE(d->result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
        for (const auto& [i, value] : entries(field[2]))
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
        QCOMPARE(textsOf(d.get(), u"txtCond(25) txtCond(26) txtCond(31) txtCond(32) txtCond(33)"_s),
                 u"||12X|1-2-3|S"_s);
        QCOMPARE(ticked(d.get(), {27, 33, 36}), u"33"_s);
        for (int b = 25; b <= 43; b += 3)
            QVERIFY(box(d.get(), b) && box(d.get(), b + 1) && box(d.get(), b + 2)->isHidden());

        // The predicted signs are bold while signs are typed, the match numbers while fields are.
        QCOMPARE(boldOnes(d.get()), QString());
        box(d.get(), 25)->setFocus(Qt::MouseFocusReason);
        QCOMPARE(boldOnes(d.get()), u"lblPro(1) lblPro(13)"_s);
        enter(d.get(), 25, u"2x3a0 1"_s);
        QCOMPARE(box(d.get(), 25)->text(), u"2XX1"_s);
        QTest::keyClick(box(d.get(), 25), Qt::Key_Tab);
        QCOMPARE(boldOnes(d.get()), u"lblN(1) lblN(13)"_s);
        enter(d.get(), 26, u"4-a5 -x11-x3"_s);
        QCOMPARE(box(d.get(), 26)->text(), u"4-5-11-3"_s);
        QTest::keyClick(box(d.get(), 26), Qt::Key_Backspace);
        QCOMPARE(box(d.get(), 26)->text(), u"4-5-11-"_s);
        QTest::keyClicks(box(d.get(), 26), u"2"_s);
        box(d.get(), 28)->setFocus(Qt::MouseFocusReason);
        QCOMPARE(boldOnes(d.get()), u"lblPro(1) lblPro(13)"_s);

        // The focus reaching OK clears the rows without signs.
        active(d.get(), 27)->setChecked(true);
        typeAndLeave(d.get(), 38, u"1-2"_s);
        active(d.get(), 39)->setChecked(true);
        child(d.get(), u"cmdOK"_s)->setFocus(Qt::TabFocusReason);
        QCOMPARE(textsOf(d.get(), u"txtCond(38) txtCond(39) txtCond(26)"_s), u"||4-5-11-2"_s);
        QCOMPARE(ticked(d.get(), {27, 33, 39}), u"27 33"_s);

        // The fields are checked on leaving them.
        d = openIn(p, u"SEQU"_s);
        typeAndLeave(d.get(), 25, u"231"_s);
        QVERIFY(box(d.get(), 25)->text() == "2X1"_L1 && box(d.get(), 26)->hasFocus());
        const QList<std::pair<const char*, const char*>> refused = {
            {"4--5-11", "Rilevati trattini Doppi (--) !"},
            {"4-5", "Numero di campi non valido !"},
            {"", "Numero di campi non valido !"}, // an empty list counts as one field
            {"4-5-14", "Numero di campo non valido (1...13) !"},
            {"0-5-4", "Numero di campo non valido (1...13) !"}};
        for (const auto& [keys, message] : refused) {
            p.prompts.expectMessage(QString::fromUtf8(message));
            typeAndLeave(d.get(), 26, QLatin1String(keys));
            QVERIFY(box(d.get(), 26)->text() == QLatin1String(keys) &&
                    box(d.get(), 26)->hasFocus());
        }
        // Outer dashes go.
        typeAndLeave(d.get(), 26, u"-13-5-1-"_s);
        QVERIFY(box(d.get(), 26)->text() == "13-5-1"_L1 && !box(d.get(), 26)->hasFocus());
        // Beside an empty signs box the row is unused: its fields are not counted.
        typeAndLeave(d.get(), 29, u"4-5"_s);
        QVERIFY(!box(d.get(), 29)->hasFocus());
        typeAndLeave(d.get(), 28, u"1111111111111"_s);
        QVERIFY(box(d.get(), 29)->hasFocus());
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
        QCOMPARE(stored.join(u'|'), u"2X|1-2|||N"_s);
    }
};

QTEST_MAIN(TestConditionDialogs)
#include "testConditionDialogs.moc"
