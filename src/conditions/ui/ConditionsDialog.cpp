#include "conditions/ui/ConditionsDialog.h"

#include "app/Session.h"
#include "app/ui/StatusPanels.h"
#include "conditions/ui/BoxLeaveGuard.h"
#include "conditions/ui/PredictionPanel.h"
#include "document/ui/FieldBehaviour.h"
#include "platform/UserPrompts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A frame of boxes in rows of (minimum, maximum) pairs, starting at box `first`.
QGroupBox* boundsFrame(QWidget* parent, const QString& title, const QStringList& rows, int first,
                       std::array<QLineEdit*, SignsConditionsLogic::LastBox + 1>& boxes)
{
    auto* frame = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Minimo"), frame), 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Massimo"), frame), 0, 2, Qt::AlignCenter);
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(new QLabel(rows[r], frame), r + 1, 0);
        for (int c = 0; c < 2; ++c) {
            const int index = first + 2 * r + c;
            auto* box = new QLineEdit(frame);
            box->setObjectName(QStringLiteral("txtCond(%1)").arg(index));
            box->setMaxLength(2);
            box->setAlignment(Qt::AlignCenter);
            box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
            grid->addWidget(box, r + 1, c + 1);
            boxes[index] = box;
        }
    }
    return frame;
}

} // namespace

ConditionsDialog::ConditionsDialog(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_logic(SignsConditionsLogic::modeOf(session.DialogMode),
              SignsConditionsLogic::countsOf(session.document()))
    , m_info(new StatusPanels(QStringLiteral("BarraInfo"), 6, this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_close(new QPushButton(QStringLiteral("&Annulla"), this))
    , m_guard(new BoxLeaveGuard(
          m_close, [this](QLineEdit* box) { return leave(box); }, this))
{
    setObjectName(QStringLiteral("frmCOND"));
    const SystemDocument& document = session.document();
    setWindowTitle(SignsConditionsLogic::caption(m_logic.mode(), document.SystemName));

    auto* panel = new PredictionPanel(document, this);
    const QStringList signRows = {QStringLiteral("Segni 1"), QStringLiteral("Segni X"),
                                  QStringLiteral("Segni 2")};
    // Created in index order, so that Tab walks the boxes 1, 2, 3, ...
    auto* counts = boundsFrame(this, QStringLiteral("Presenze Segni"), signRows, 1, m_boxes);
    auto* runs = boundsFrame(this, QStringLiteral("Segni Consecutivi"), signRows, 7, m_boxes);
    auto* interruptions =
        boundsFrame(this, QStringLiteral("Interruzioni"),
                    {QStringLiteral("Presenze"), QStringLiteral("Cons.")}, 13, m_boxes);

    const ConditionBoxes shown = SignsConditionsLogic::boxesOf(document.Conditions);
    for (int i = SignsConditionsLogic::FirstBox; i <= SignsConditionsLogic::LastBox; ++i) {
        QLineEdit* box = m_boxes[i];
        box->setText(shown[i]);
        box->setEnabled(m_logic.isEditable(i));
        FieldBehaviour::filterKeys(box,
                                   FieldBehaviour::accepting(&SignsConditionsLogic::acceptsKey));
        FieldBehaviour::selectOnEntry(box);
        m_guard->watch(box);
    }

    const std::array<QString, 6> info =
        SignsConditionsLogic::infoPanels(SignsConditionsLogic::countsOf(document));
    for (int p = 1; p <= 6; ++p)
        m_info->setPanelText(p, info[p - 1]);
    m_info->setSizeGripEnabled(false);
    m_info->setVisible(m_logic.mode() == SignsConditionsLogic::Mode::Signs);

    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_close->setObjectName(QStringLiteral("cmdChiudi"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &ConditionsDialog::confirm);
    connect(m_close, &QPushButton::clicked, this, &ConditionsDialog::reject);

    auto* frames = new QVBoxLayout;
    frames->addWidget(counts);
    frames->addWidget(runs);
    frames->addWidget(interruptions);
    frames->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    frames->addLayout(buttons);
    auto* body = new QHBoxLayout;
    body->addWidget(panel);
    body->addLayout(frames);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(m_info);
}

ConditionsDialog::~ConditionsDialog()
{
    m_guard->stop();
}

void ConditionsDialog::done(int result)
{
    m_guard->stop();
    QDialog::done(result);
}

ConditionBoxes ConditionsDialog::texts() const
{
    ConditionBoxes texts;
    for (int i = SignsConditionsLogic::FirstBox; i <= SignsConditionsLogic::LastBox; ++i)
        texts[i] = m_boxes[i]->text();
    return texts;
}

void ConditionsDialog::correct(const BoxCorrection& correction)
{
    m_session.prompts().warn(m_session.messageTitle(), correction.message);
    QLineEdit* box = m_boxes[correction.box];
    box->setText(correction.text);
    m_guard->focusBox(box);
}

bool ConditionsDialog::leave(QLineEdit* box)
{
    const int index = int(std::find(m_boxes.cbegin(), m_boxes.cend(), box) - m_boxes.cbegin());
    if (const std::optional<BoxCorrection> correction = m_logic.leaveCheck(texts(), index)) {
        correct(*correction);
        return false;
    }
    return true;
}

void ConditionsDialog::confirm()
{
    if (!m_guard->confirmMayProceed())
        return;
    // The system counts as changed as soon as OK is pressed, even when a check below fails.
    m_session.markModified();
    if (const std::optional<BoxCorrection> correction = m_logic.confirmCheck(texts())) {
        correct(*correction);
        return;
    }
    m_logic.store(texts(), m_session.document().Conditions);
    m_session.applyRule(CommandRule::ConditionsConfirmed);
    accept();
}
