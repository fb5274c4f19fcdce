#include "conditions/ui/ConditionsDialog.h"

#include "conditions/ui/BoundsFrames.h"
#include "conditions/ui/BoxLeaveGuard.h"
#include "conditions/ui/LiveCountLabel.h"
#include "conditions/ui/PredictionPanel.h"
#include "platform/ui/StatusPanels.h"
#include "session/Session.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    , m_count(new LiveCountLabel(this))
{
    setObjectName(QStringLiteral("frmCOND"));
    const SystemDocument& document = session.document();
    setWindowTitle(SignsConditionsLogic::caption(m_logic.mode(), document.SystemName));

    auto* panel = new PredictionPanel(document, this);
    const QStringList signRows = {QStringLiteral("Segni 1"), QStringLiteral("Segni X"),
                                  QStringLiteral("Segni 2")};
    // Created in index order, so that Tab walks the boxes 1, 2, 3, ...
    auto* counts =
        BoundsFrames::create(this, QStringLiteral("Presenze Segni"), signRows, 1, 2, m_boxes);
    auto* runs =
        BoundsFrames::create(this, QStringLiteral("Segni Consecutivi"), signRows, 7, 2, m_boxes);
    auto* interruptions =
        BoundsFrames::create(this, QStringLiteral("Interruzioni"),
                             {QStringLiteral("Presenze"), QStringLiteral("Cons.")}, 13, 2, m_boxes);

    const ConditionBoxes shown = SignsConditionsLogic::boxesOf(document.Conditions);
    for (int i = SignsConditionsLogic::FirstBox; i <= SignsConditionsLogic::LastBox; ++i)
        BoundsFrames::prepareBox(m_boxes[i], shown[i], m_logic.isEditable(i),
                                 &SignsConditionsLogic::acceptsKey, m_guard);
    for (int i = m_logic.firstEditable(); i <= m_logic.lastEditable(); ++i)
        connect(m_boxes[i], &QLineEdit::textChanged, this, &ConditionsDialog::refreshCount);

    const std::array<QString, 6> info =
        SignsConditionsLogic::infoPanels(SignsConditionsLogic::countsOf(document));
    for (int p = 1; p <= 6; ++p)
        m_info->setPanelText(p, info[p - 1]);
    m_info->setSizeGripEnabled(false);
    m_info->setVisible(m_logic.mode() == SignsConditionsLogic::Mode::Signs);

    connect(m_ok, &QPushButton::clicked, this, &ConditionsDialog::confirm);
    connect(m_close, &QPushButton::clicked, this, &ConditionsDialog::reject);

    auto* body = new QHBoxLayout;
    body->addWidget(panel);
    body->addLayout(BoundsFrames::column({counts, runs, interruptions}, m_ok, m_close));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(m_count);
    layout->addWidget(m_info);
    refreshCount();
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

bool ConditionsDialog::leave(QLineEdit* box)
{
    const int index = BoundsFrames::indexOf(m_boxes, box);
    if (const std::optional<BoxCorrection> correction = m_logic.leaveCheck(texts(), index)) {
        BoundsFrames::correct(m_session, m_guard, m_boxes, *correction);
        return false;
    }
    return true;
}

std::optional<ConditionSet> ConditionsDialog::typedConditions() const
{
    const ConditionBoxes boxes = texts();
    bool valid = !m_logic.confirmCheck(boxes);
    for (int i = m_logic.firstEditable(); valid && i <= m_logic.lastEditable(); ++i)
        valid = !ConditionBoxesCheck::emptyBox(boxes, i);
    if (!valid)
        return std::nullopt;
    ConditionSet conditions = m_session.document().Conditions;
    m_logic.store(boxes, conditions);
    return conditions;
}

void ConditionsDialog::refreshCount()
{
    m_count->countTyped(typedConditions(), m_session.document());
}

void ConditionsDialog::confirm()
{
    if (!m_guard->confirmMayProceed())
        return;
    // The system counts as changed as soon as OK is pressed, even when a check below fails.
    m_session.markModified();
    if (const std::optional<BoxCorrection> correction = m_logic.confirmCheck(texts())) {
        BoundsFrames::correct(m_session, m_guard, m_boxes, *correction);
        return;
    }
    m_logic.store(texts(), m_session.document().Conditions);
    m_session.applyRule(CommandRule::ConditionsConfirmed);
    accept();
}
