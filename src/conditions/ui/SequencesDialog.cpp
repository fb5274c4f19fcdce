#include "conditions/ui/SequencesDialog.h"

#include "conditions/ui/BoxLeaveGuard.h"
#include "conditions/ui/LiveCountLabel.h"
#include "conditions/ui/PredictionPanel.h"
#include "document/ui/FieldBehaviour.h"
#include "platform/UserPrompts.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString boxName(const char* kind, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(kind)).arg(index);
}

} // namespace

SequencesDialog::SequencesDialog(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_panel(new PredictionPanel(session.document(), this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_close(new QPushButton(QStringLiteral("&Annulla"), this))
    , m_guard(new BoxLeaveGuard(
          m_close, [this](QLineEdit* box) { return leave(box); }, this))
    , m_count(new LiveCountLabel(this))
{
    setObjectName(QStringLiteral("frmSEQUELE"));
    setWindowTitle(session.document().SystemName + QStringLiteral(" - Elimina Sequele"));

    auto* frame = new QGroupBox(QStringLiteral("Sequele da Eliminare"), this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Sequela ( 2X12...)"), frame), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Campo ( X-Y-Z...)"), frame), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Attiva"), frame), 0, 2);
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("X-XX-XX-XX-XX-XX"));
    for (int j = 0; j < SequenceRowsLogic::Rows; ++j) {
        const int b = SequenceRowsLogic::baseIndex(j);
        RowWidgets& row = m_rows[j];
        row.signs = new QLineEdit(frame);
        row.fields = new QLineEdit(frame);
        row.active = new QCheckBox(frame);
        row.holder = new QLineEdit(frame);
        row.signs->setObjectName(boxName("txtCond", b));
        row.fields->setObjectName(boxName("txtCond", b + 1));
        row.holder->setObjectName(boxName("txtCond", b + 2));
        row.active->setObjectName(boxName("ckATT", b + 2));
        row.holder->hide();
        row.signs->setMinimumWidth(width);
        row.fields->setMinimumWidth(width);

        FieldBehaviour::filterKeys(row.signs, &SequenceRowsLogic::signKey);
        FieldBehaviour::filterKeys(row.fields,
                                   FieldBehaviour::accepting(&SequenceRowsLogic::acceptsFieldKey));
        for (QLineEdit* box : {row.signs, row.fields}) {
            FieldBehaviour::selectOnEntry(box);
            box->installEventFilter(this);
            m_guard->watch(box);
        }
        grid->addWidget(row.signs, j + 1, 0);
        grid->addWidget(row.fields, j + 1, 1);
        grid->addWidget(row.active, j + 1, 2, Qt::AlignCenter);
    }
    display(SequenceRowsLogic::rowsOf(session.document().Conditions));
    for (const RowWidgets& row : m_rows) {
        connect(row.signs, &QLineEdit::textChanged, this, &SequencesDialog::refreshCount);
        connect(row.fields, &QLineEdit::textChanged, this, &SequencesDialog::refreshCount);
        connect(row.active, &QCheckBox::toggled, this, &SequencesDialog::refreshCount);
    }

    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_close->setObjectName(QStringLiteral("cmdChiudi"));
    m_ok->installEventFilter(this);
    connect(m_ok, &QPushButton::clicked, this, &SequencesDialog::confirm);
    connect(m_close, &QPushButton::clicked, this, &SequencesDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto* side = new QVBoxLayout;
    side->addWidget(frame);
    side->addStretch();
    side->addWidget(m_count);
    side->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_panel);
    layout->addLayout(side);
    refreshCount();
}

SequencesDialog::~SequencesDialog()
{
    m_guard->stop();
}

void SequencesDialog::done(int result)
{
    m_guard->stop();
    QDialog::done(result);
}

void SequencesDialog::display(const SequenceRowsLogic::RowArray& rows)
{
    for (int j = 0; j < SequenceRowsLogic::Rows; ++j) {
        m_rows[j].signs->setText(rows[j].signs);
        m_rows[j].fields->setText(rows[j].fields);
        m_rows[j].holder->setText(rows[j].holder);
        m_rows[j].active->setChecked(rows[j].active);
    }
}

SequenceRowsLogic::RowArray SequencesDialog::rows() const
{
    SequenceRowsLogic::RowArray rows;
    for (int j = 0; j < SequenceRowsLogic::Rows; ++j) {
        rows[j].signs = m_rows[j].signs->text();
        rows[j].fields = m_rows[j].fields->text();
        rows[j].holder = m_rows[j].holder->text();
        rows[j].active = m_rows[j].active->isChecked();
    }
    return rows;
}

bool SequencesDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_ok) {
            clearEmptyRows();
        } else {
            // Entering a box shows in bold what it asks for: match numbers for the fields, the
            // predicted signs for the signs.
            for (const RowWidgets& row : m_rows) {
                if (watched == row.fields)
                    m_panel->setNumbersBold(true);
                else if (watched == row.signs)
                    m_panel->setSignsBold(true);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool SequencesDialog::leave(QLineEdit* box)
{
    for (const RowWidgets& row : m_rows) {
        SequenceRowsLogic::Leave result;
        if (box == row.fields) {
            result = SequenceRowsLogic::leaveFields(box->text(), row.signs->text());
            box->setText(result.text);
            m_panel->setNumbersBold(false);
        } else if (box == row.signs) {
            result = SequenceRowsLogic::leaveSigns(box->text());
            box->setText(result.text);
            if (!result.message)
                m_panel->setSignsBold(false);
        } else {
            continue;
        }
        if (!result.message)
            return true;
        m_session.prompts().warn(m_session.messageTitle(), *result.message);
        m_guard->focusBox(box);
        return false;
    }
    return true;
}

void SequencesDialog::clearEmptyRows()
{
    SequenceRowsLogic::RowArray shown = rows();
    SequenceRowsLogic::clearEmptyRows(shown);
    display(shown);
}

std::optional<ConditionSet> SequencesDialog::typedConditions() const
{
    // Each row as leaving its boxes would leave it; a row those checks refuse counts nothing.
    SequenceRowsLogic::RowArray shown = rows();
    for (SequenceRowsLogic::Row& row : shown) {
        const SequenceRowsLogic::Leave signs = SequenceRowsLogic::leaveSigns(row.signs);
        const SequenceRowsLogic::Leave fields =
            SequenceRowsLogic::leaveFields(row.fields, signs.text);
        if (signs.message || fields.message)
            return std::nullopt;
        row.signs = signs.text;
        row.fields = fields.text;
    }
    ConditionSet conditions = m_session.document().Conditions;
    SequenceRowsLogic::store(shown, conditions);
    return conditions;
}

void SequencesDialog::refreshCount()
{
    m_count->countTyped(typedConditions(), m_session.document());
}

void SequencesDialog::confirm()
{
    if (!m_guard->confirmMayProceed())
        return;
    SequenceRowsLogic::RowArray stored = rows();
    SequenceRowsLogic::store(stored, m_session.document().Conditions);
    display(stored);
    // The sequences alone do not mark the system as changed.
    m_session.applyRule(CommandRule::ConditionsConfirmed);
    accept();
}
