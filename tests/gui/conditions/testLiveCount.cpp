#include "conditions/LiveColumnCount.h"
#include "conditions/ui/ConditionsDialog.h"
#include "conditions/ui/EnablingWindow.h"
#include "conditions/ui/SequencesDialog.h"
#include "conditions/ui/SymmetryParallelsDialog.h"
#include "support/GuiDriver.h"

#include <QCheckBox>

using namespace Qt::StringLiterals;

namespace {

// Six triples and seven doubles or fixed signs (each sign in 10 matches, 1 and 2 fixed once),
// every kind enabled with bounds that keep every column and that the dialogs admit.
void prepare(StartedProgram& p)
{
    p.document() = TestSystems::withPrediction(
        {"1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X", "X2", "12", "1X", "X2", "1", "2"});
    p.document().EnableFlags = u"1111111"_s;
    const QList<int> bounds = {1, 10, 0, 10, 1, 10, 1, 10, 0, 10, 1, 10,
                               0, 12, 0, 12, 0, 6,  0, 6,  0, 6,  0, 6};
    for (int i = 0; i < bounds.size(); ++i)
        p.document().Conditions.set(1 + i, double(bounds[i]));
    p.document().Conditions.set(47, 11.0);
    p.document().Conditions.set(49, 11.0);
}

std::unique_ptr<QDialog> openIn(StartedProgram& p, const QString& mode)
{
    if (mode == "SEQU"_L1)
        return p.open<SequencesDialog>();
    if (mode == "SEGN"_L1 || mode == "INTE"_L1)
        return p.open<ConditionsDialog>(mode);
    return p.open<SymmetryParallelsDialog>(mode);
}

// Types "i=v" pairs into the dialog's boxes ("S" ticks a sequence's switch) and returns the
// conditions they stand for.
ConditionSet typePairs(QWidget* dialog, ConditionSet conditions, const QString& pairs)
{
    for (const QString& pair : pairs.split(u' ', Qt::SkipEmptyParts)) {
        const int i = pair.section(u'=', 0, 0).toInt();
        const QString value = pair.section(u'=', 1);
        if (value == "S"_L1) {
            child<QCheckBox>(dialog, u"ckATT(%1)"_s.arg(i))->setChecked(true);
            conditions.set(i, value);
            continue;
        }
        auto* box = child<QLineEdit>(dialog, u"txtCond(%1)"_s.arg(i));
        box->setFocus(Qt::MouseFocusReason);
        typeInto(box, value);
        const bool bound = i < ConditionSet::FirstSequenceIndex || i >= 46;
        conditions.set(i, bound ? QVariant(value.toDouble()) : QVariant(value));
    }
    return conditions;
}

QString countText(const ColumnBuffer& integral, const ConditionSet& conditions,
                  const QString& flags)
{
    return LiveColumnCount::labelText(LiveColumnCount::count(integral, conditions, flags));
}

} // namespace

class TestLiveCount final : public QObject {
    Q_OBJECT
private slots:
    // A burst of keys ends with the count of the last values; values OK would refuse show no
    // count.
    void typingShowsTheCountAndChangesNothing_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("pairs");
        QTest::addColumn<QString>("refused");
        QTest::newRow("signs") << u"SEGN"_s << u"2=8 2=3 2=10 2=6 7=2"_s << u"4="_s;
        QTest::newRow("interruptions") << u"INTE"_s << u"14=7 16=5"_s << u"13=3"_s;
        QTest::newRow("symmetries") << u"SIMM"_s << u"20=3 18=4"_s << u"17=5"_s;
        QTest::newRow("step 3") << u"PAR3"_s << u"49=2 47=4"_s << u"46="_s;
        QTest::newRow("sequences") << u"SEQU"_s << u"25=2X 26=1-2 27=S"_s << u"28=1"_s;
    }
    void typingShowsTheCountAndChangesNothing()
    {
        QFETCH(QString, mode);
        QFETCH(QString, pairs);
        QFETCH(QString, refused);
        StartedProgram p;
        prepare(p);
        const SystemDocument before = p.document();
        const QStringList files = TestSystems::filesIn(p.dir.path());
        const ColumnBuffer& integral = before.IntegralColumns;
        auto d = openIn(p, mode);
        auto* label = child<QLabel>(d.get(), u"lblRimaste"_s);
        QTRY_COMPARE(label->text(), countText(integral, before.Conditions, before.EnableFlags));

        const ConditionSet typed = typePairs(d.get(), before.Conditions, pairs);
        const QString expected = countText(integral, typed, before.EnableFlags);
        QVERIFY(expected != countText(integral, before.Conditions, before.EnableFlags));
        QTRY_COMPARE(label->text(), expected);
        QVERIFY(p.document().Conditions == before.Conditions);
        QCOMPARE(p.document().Modified, before.Modified);
        QCOMPARE(TestSystems::filesIn(p.dir.path()), files);
        typePairs(d.get(), typed, refused);
        QCOMPARE(label->text(), u"Colonne rimaste: -"_s);
    }

    // The enabling window counts the confirmed conditions under its boxes, and a dialog opened
    // beside it obeys those boxes rather than the system's flags.
    void theEnablingBoxesDecideWhatCounts()
    {
        StartedProgram p;
        prepare(p);
        p.document().Conditions.set(18, 2.0);
        const SystemDocument& document = p.document();
        QWidget host;
        auto* enabling = new EnablingWindow(*p.session, &host);
        auto* label = child<QLabel>(enabling, u"lblRimaste"_s);
        QTRY_COMPARE(label->text(),
                     countText(document.IntegralColumns, document.Conditions, u"1111111"_s));
        enabling->box(3)->click();
        QTRY_COMPARE(label->text(),
                     countText(document.IntegralColumns, document.Conditions, u"1110111"_s));
        QCOMPARE(document.EnableFlags, u"1111111"_s);

        p.session->DialogMode = u"PARA"_s;
        SymmetryParallelsDialog dialog(*p.session, &host);
        const ConditionSet typed = typePairs(&dialog, document.Conditions, u"24=2 22=3"_s);
        QTRY_COMPARE(child<QLabel>(&dialog, u"lblRimaste"_s)->text(),
                     countText(document.IntegralColumns, typed, u"1110111"_s));
    }
};

QTEST_MAIN(TestLiveCount)
#include "testLiveCount.moc"
