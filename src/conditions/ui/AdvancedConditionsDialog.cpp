#include "conditions/ui/AdvancedConditionsDialog.h"

#include "conditions/ConditionRules.h"
#include "conditions/ui/LiveCountLabel.h"
#include "platform/UserPrompts.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const std::array<const char*, AdvancedConditions::StrictFlags> StrictCaptions = {
    "Segni Min/Max",     "Segni Cons.",    "Interruzioni",
    "Simmetrie",         "Paralleli",      "Sequele",
    "Paralleli Passo 3", "Valori (somma)", "Colonne di riferimento"};

QLineEdit* box(QWidget* parent, const QString& name, const QString& keys, int characters)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(keys), edit));
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(characters + 2, u'0')));
    return edit;
}

QLineEdit* wholeBox(QWidget* parent, const QString& name, int digits)
{
    return box(parent, name, QStringLiteral("\\d{0,%1}").arg(digits), digits);
}

QLineEdit* decimalBox(QWidget* parent, const QString& name, int digits)
{
    return box(parent, name, QStringLiteral("\\d{0,%1}([.,]\\d{0,2})?").arg(digits), digits + 3);
}

} // namespace

AdvancedConditionsDialog::AdvancedConditionsDialog(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_errorsFrom(wholeBox(this, QStringLiteral("txtErrDa"), 2))
    , m_errorsTo(wholeBox(this, QStringLiteral("txtErrA"), 2))
    , m_errorsTable(new QTableWidget(0, 2, this))
    , m_valuesWarning(new QLabel(this))
    , m_sumFrom(decimalBox(this, QStringLiteral("txtSommaDa"), 4))
    , m_sumTo(decimalBox(this, QStringLiteral("txtSommaA"), 4))
    , m_sumPossible(new QLabel(this))
    , m_top(wholeBox(this, QStringLiteral("txtProbabili"), 7))
    , m_import(new QPushButton(QStringLiteral("&Importa quote..."), this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_close(new QPushButton(QStringLiteral("&Annulla"), this))
    , m_count(new LiveCountLabel(this))
{
    setObjectName(QStringLiteral("frmCONDAVANZATE"));
    const SystemDocument& document = session.document();
    setWindowTitle(document.SystemName + QStringLiteral(" - Condizioni Avanzate"));

    // Tolerance: the range, the strict kinds, and what each number of errors keeps.
    auto* tolerance = new QGroupBox(QStringLiteral("Tolleranza"), this);
    auto* toleranceLayout = new QVBoxLayout(tolerance);
    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("Errori ammessi da"), tolerance));
    range->addWidget(m_errorsFrom);
    range->addWidget(new QLabel(QStringLiteral("a"), tolerance));
    range->addWidget(m_errorsTo);
    range->addStretch();
    toleranceLayout->addLayout(range);
    toleranceLayout->addWidget(new QLabel(QStringLiteral("Sempre rispettate:"), tolerance));
    for (int i = 0; i < AdvancedConditions::StrictFlags; ++i) {
        m_strict[i] = new QCheckBox(QString::fromUtf8(StrictCaptions[i]), tolerance);
        m_strict[i]->setObjectName(QStringLiteral("chkSempre(%1)").arg(i));
        toleranceLayout->addWidget(m_strict[i]);
    }
    m_errorsTable->setObjectName(QStringLiteral("tblErrori"));
    m_errorsTable->setHorizontalHeaderLabels({QStringLiteral("Errori"), QStringLiteral("Colonne")});
    m_errorsTable->verticalHeader()->hide();
    m_errorsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_errorsTable->setFocusPolicy(Qt::NoFocus);
    // Both columns whole, the longest label beside the largest count, without scrolling sideways.
    m_errorsTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_errorsTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_errorsTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_errorsTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    const QFontMetrics metrics = m_errorsTable->fontMetrics();
    m_errorsTable->setMinimumWidth(
        metrics.horizontalAdvance(QStringLiteral("Sempre rispettate violate")) +
        metrics.horizontalAdvance(QStringLiteral("1.594.323")) + 6 * metrics.averageCharWidth() +
        m_errorsTable->verticalScrollBar()->sizeHint().width());
    toleranceLayout->addWidget(m_errorsTable);

    // Values: one row per match with its teams.
    auto* values = new QGroupBox(QStringLiteral("Valori dei segni (%)"), this);
    auto* grid = new QGridLayout(values);
    grid->addWidget(new QLabel(QStringLiteral("1"), values), 0, 2, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("X"), values), 0, 3, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("2"), values), 0, 4, Qt::AlignCenter);
    for (int match = 0; match < AdvancedConditions::Matches; ++match) {
        grid->addWidget(new QLabel(QString::number(match + 1), values), match + 1, 0);
        grid->addWidget(new QLabel(document.homeTeam(match + 1).trimmed() + QStringLiteral(" - ") +
                                       document.awayTeam(match + 1).trimmed(),
                                   values),
                        match + 1, 1);
        for (int s = 0; s < 3; ++s) {
            m_values[match][s] =
                decimalBox(values, QStringLiteral("txtValore(%1)").arg(3 * match + s), 3);
            grid->addWidget(m_values[match][s], match + 1, 2 + s);
        }
    }
    m_import->setObjectName(QStringLiteral("cmdImporta"));
    m_valuesWarning->setObjectName(QStringLiteral("lblValori"));
    m_valuesWarning->setWordWrap(true);
    grid->addWidget(m_import, AdvancedConditions::Matches + 1, 1);
    grid->addWidget(m_valuesWarning, AdvancedConditions::Matches + 2, 0, 1, 5);

    // Sum, most probable, references.
    auto* others = new QGroupBox(QStringLiteral("Somma, probabili, riferimenti"), this);
    auto* othersLayout = new QGridLayout(others);
    othersLayout->addWidget(new QLabel(QStringLiteral("Somma da"), others), 0, 0);
    othersLayout->addWidget(m_sumFrom, 0, 1);
    othersLayout->addWidget(new QLabel(QStringLiteral("a"), others), 0, 2);
    othersLayout->addWidget(m_sumTo, 0, 3);
    m_sumPossible->setObjectName(QStringLiteral("lblSommaPossibile"));
    othersLayout->addWidget(m_sumPossible, 1, 0, 1, 4);
    othersLayout->addWidget(new QLabel(QStringLiteral("Solo le"), others), 2, 0);
    othersLayout->addWidget(m_top, 2, 1);
    othersLayout->addWidget(new QLabel(QStringLiteral("colonne più probabili"), others), 2, 2, 1,
                            2);
    othersLayout->addWidget(new QLabel(QStringLiteral("Colonne di riferimento"), others), 3, 0, 1,
                            2);
    othersLayout->addWidget(new QLabel(QStringLiteral("Punti da"), others), 3, 2);
    othersLayout->addWidget(new QLabel(QStringLiteral("a"), others), 3, 3);
    for (int r = 0; r < AdvancedConditions::MaxReferences; ++r) {
        m_references[r] =
            box(others, QStringLiteral("txtRif(%1)").arg(r), QStringLiteral("[1xX2]{0,13}"), 13);
        m_pointsFrom[r] = wholeBox(others, QStringLiteral("txtRifDa(%1)").arg(r), 2);
        m_pointsTo[r] = wholeBox(others, QStringLiteral("txtRifA(%1)").arg(r), 2);
        othersLayout->addWidget(m_references[r], 4 + r, 0, 1, 2);
        othersLayout->addWidget(m_pointsFrom[r], 4 + r, 2);
        othersLayout->addWidget(m_pointsTo[r], 4 + r, 3);
    }

    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_close->setObjectName(QStringLiteral("cmdAnnulla"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &AdvancedConditionsDialog::confirm);
    connect(m_close, &QPushButton::clicked, this, &AdvancedConditionsDialog::reject);
    connect(m_import, &QPushButton::clicked, this, &AdvancedConditionsDialog::importOdds);

    auto* body = new QHBoxLayout;
    body->addWidget(tolerance);
    body->addWidget(values);
    body->addWidget(others);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_count);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);

    show(AdvancedConditionsLogic::formOf(document.Advanced));
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &AdvancedConditionsDialog::refresh);
    for (QCheckBox* check : m_strict)
        connect(check, &QCheckBox::toggled, this, &AdvancedConditionsDialog::refresh);
    refresh();
    m_errorsFrom->setFocus();
}

AdvancedConditionsDialog::~AdvancedConditionsDialog() = default;

std::optional<AdvancedConditions> AdvancedConditionsDialog::typedAdvanced() const
{
    return AdvancedConditionsLogic::conditionsOf(texts()).conditions;
}

AdvancedConditionsLogic::FormTexts AdvancedConditionsDialog::texts() const
{
    AdvancedConditionsLogic::FormTexts form;
    form.errorsFrom = m_errorsFrom->text();
    form.errorsTo = m_errorsTo->text();
    for (int i = 0; i < AdvancedConditions::StrictFlags; ++i)
        form.strict[i] = m_strict[i]->isChecked();
    for (int match = 0; match < AdvancedConditions::Matches; ++match) {
        for (int s = 0; s < 3; ++s)
            form.values[match][s] = m_values[match][s]->text();
    }
    form.sumFrom = m_sumFrom->text();
    form.sumTo = m_sumTo->text();
    form.top = m_top->text();
    for (int r = 0; r < AdvancedConditions::MaxReferences; ++r) {
        form.referenceColumns[r] = m_references[r]->text();
        form.pointsFrom[r] = m_pointsFrom[r]->text();
        form.pointsTo[r] = m_pointsTo[r]->text();
    }
    return form;
}

void AdvancedConditionsDialog::show(const AdvancedConditionsLogic::FormTexts& form)
{
    m_errorsFrom->setText(form.errorsFrom);
    m_errorsTo->setText(form.errorsTo);
    for (int i = 0; i < AdvancedConditions::StrictFlags; ++i)
        m_strict[i]->setChecked(form.strict[i]);
    for (int match = 0; match < AdvancedConditions::Matches; ++match) {
        for (int s = 0; s < 3; ++s)
            m_values[match][s]->setText(form.values[match][s]);
    }
    m_sumFrom->setText(form.sumFrom);
    m_sumTo->setText(form.sumTo);
    m_top->setText(form.top);
    for (int r = 0; r < AdvancedConditions::MaxReferences; ++r) {
        m_references[r]->setText(form.referenceColumns[r]);
        m_pointsFrom[r]->setText(form.pointsFrom[r]);
        m_pointsTo[r]->setText(form.pointsTo[r]);
    }
}

void AdvancedConditionsDialog::refresh()
{
    const AdvancedConditionsLogic::FormResult result =
        AdvancedConditionsLogic::conditionsOf(texts());
    const SystemDocument& document = m_session.document();
    const std::optional<AdvancedConditions::SignValues>& values =
        result.conditions ? result.conditions->values() : std::nullopt;
    if (values) {
        const AdvancedConditions::Range possible =
            AdvancedConditionsLogic::sumRangeOf(*values, document);
        m_sumPossible->setText(QStringLiteral("Somma possibile da %1 a %2")
                                   .arg(AdvancedConditionsLogic::valueText(possible.from),
                                        AdvancedConditionsLogic::valueText(possible.to)));
        QStringList matches;
        for (int match : AdvancedConditionsLogic::matchesNotSummingTo100(*values))
            matches << QString::number(match);
        m_valuesWarning->setText(matches.isEmpty() ? QString()
                                                   : QStringLiteral("Non sommano a 100: partite ") +
                                                         matches.join(QStringLiteral(", ")));
    } else {
        m_sumPossible->clear();
        m_valuesWarning->clear();
    }
    if (!result.conditions) {
        m_count->showUnknown();
        m_errorsTable->setRowCount(0);
        return;
    }
    const QString flags = LiveCountLabel::enableFlagsFor(this, document);
    m_count->count(document.IntegralColumns, document.Conditions, flags, *result.conditions);

    const ConditionRules rules(document.Conditions, flags, *result.conditions);
    const ErrorsHistogram histogram = rules.errorsHistogram(document.IntegralColumns);
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    m_errorsTable->setRowCount(int(histogram.columns.size()) + 1);
    const auto put = [this, &italian](int row, const QString& what, qsizetype count) {
        m_errorsTable->setItem(row, 0, new QTableWidgetItem(what));
        auto* item = new QTableWidgetItem(italian.toString(qlonglong(count)));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_errorsTable->setItem(row, 1, item);
    };
    for (int errors = 0; errors < histogram.columns.size(); ++errors)
        put(errors, QString::number(errors), histogram.columns[errors]);
    put(int(histogram.columns.size()), QStringLiteral("Sempre rispettate violate"),
        histogram.strictlyEliminated);
}

void AdvancedConditionsDialog::importOdds()
{
    FileRequest request;
    request.title = QStringLiteral("Importa quote");
    request.filters = {QStringLiteral("Quote (*.txt *.csv)"), QStringLiteral("Tutti i file (*)")};
    request.folder = m_session.systemsFolder();
    const std::optional<QString> chosen = m_session.prompts().openFile(request);
    if (!chosen)
        return;
    const AdvancedConditionsLogic::ValuesRead read =
        AdvancedConditionsLogic::readValuesFile(*chosen, true);
    if (!read.values) {
        m_session.prompts().warn(m_session.messageTitle(), read.error);
        return;
    }
    AdvancedConditionsLogic::FormTexts form = texts();
    AdvancedConditions rounded;
    rounded.setValues(*read.values);
    form.values = AdvancedConditionsLogic::formOf(rounded).values;
    show(form);
}

void AdvancedConditionsDialog::confirm()
{
    const AdvancedConditionsLogic::FormResult result =
        AdvancedConditionsLogic::conditionsOf(texts());
    if (!result.conditions) {
        m_session.prompts().warn(m_session.messageTitle(), result.error);
        return;
    }
    if (result.conditions->values()) {
        QStringList matches;
        for (int match :
             AdvancedConditionsLogic::matchesNotSummingTo100(*result.conditions->values()))
            matches << QString::number(match);
        if (!matches.isEmpty())
            m_session.prompts().warn(m_session.messageTitle(),
                                     QStringLiteral("I valori delle partite %1 non sommano a 100 !")
                                         .arg(matches.join(QStringLiteral(", "))));
    }
    if (result.conditions != m_session.document().Advanced) {
        m_session.document().Advanced = *result.conditions;
        m_session.markModified();
    }
    m_session.applyRule(CommandRule::ConditionsConfirmed);
    accept();
}
