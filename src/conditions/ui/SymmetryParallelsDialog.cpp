#include "conditions/ui/SymmetryParallelsDialog.h"

#include "conditions/ui/BoundsFrames.h"
#include "conditions/ui/BoxLeaveGuard.h"
#include "conditions/ui/LiveCountLabel.h"
#include "conditions/ui/PredictionPanel.h"
#include "session/Session.h"

#include <QColor>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Fill colours of the paired matches, one per pair (two at step 3, odd and even).
const std::array<QColor, 6> PairColours = {QColor(0xff, 0xc0, 0xc0), QColor(0xc0, 0xff, 0xc0),
                                           QColor(0xc0, 0xc0, 0xff), QColor(0xff, 0xff, 0xa0),
                                           QColor(0xa0, 0xff, 0xff), QColor(0xff, 0xc0, 0xff)};

} // namespace

SymmetryParallelsDialog::SymmetryParallelsDialog(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_logic(SymmetryConditionsLogic::modeOf(session.DialogMode))
    , m_panel(new PredictionPanel(session.document(), this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_close(new QPushButton(QStringLiteral("&Annulla"), this))
    , m_guard(new BoxLeaveGuard(
          m_close, [this](QLineEdit* box) { return leave(box); }, this))
    , m_count(new LiveCountLabel(this))
{
    setObjectName(QStringLiteral("frmCONDSP"));
    const SystemDocument& document = session.document();
    setWindowTitle(SymmetryConditionsLogic::caption(m_logic.mode(), document.SystemName));

    // One group: rows "Presenze" (m, m+1) and "Cons." (m+2, m+3). One digit holds the 0..6 of
    // symmetries and parallels; step 3 goes up to 11.
    const QStringList rows = {QStringLiteral("Presenze"), QStringLiteral("Cons.")};
    auto* symmetries =
        BoundsFrames::create(this, QStringLiteral("Simmetrie"), rows, 17, 1, m_boxes);
    auto* parallels = BoundsFrames::create(this, QStringLiteral("Paralleli"), rows, 21, 1, m_boxes);
    auto* step3 =
        BoundsFrames::create(this, QStringLiteral("Paralleli a Passo 3"), rows, 46, 2, m_boxes);

    const ConditionBoxes shown = SymmetryConditionsLogic::boxesOf(document.Conditions);
    const auto accepts = [this](QChar typed) { return m_logic.acceptsKey(typed); };
    for (int i : SymmetryConditionsLogic::Boxes)
        BoundsFrames::prepareBox(m_boxes[i], shown[i], m_logic.isEditable(i), accepts, m_guard);
    colourPanel();
    for (int i : SymmetryConditionsLogic::Boxes) {
        if (m_logic.isEditable(i))
            connect(m_boxes[i], &QLineEdit::textChanged, this,
                    &SymmetryParallelsDialog::refreshCount);
    }

    connect(m_ok, &QPushButton::clicked, this, &SymmetryParallelsDialog::confirm);
    connect(m_close, &QPushButton::clicked, this, &SymmetryParallelsDialog::reject);

    auto* body = new QHBoxLayout;
    body->addWidget(m_panel);
    body->addLayout(BoundsFrames::column({symmetries, parallels, step3}, m_ok, m_close));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(m_count);
    refreshCount();
}

SymmetryParallelsDialog::~SymmetryParallelsDialog()
{
    m_guard->stop();
}

void SymmetryParallelsDialog::done(int result)
{
    m_guard->stop();
    QDialog::done(result);
}

void SymmetryParallelsDialog::colourPanel()
{
    for (int match = 1; match <= PredictionPanel::Matches; ++match) {
        const int group = m_logic.colourGroupOf(match);
        if (group == SymmetryConditionsLogic::UnpairedGroup)
            m_panel->colourSigns(match, Qt::black, Qt::white);
        else
            m_panel->colourSigns(match, PairColours[group], Qt::black);
    }
}

ConditionBoxes SymmetryParallelsDialog::texts() const
{
    ConditionBoxes texts;
    for (int i : SymmetryConditionsLogic::Boxes)
        texts[i] = m_boxes[i]->text();
    return texts;
}

bool SymmetryParallelsDialog::leave(QLineEdit* box)
{
    const int index = BoundsFrames::indexOf(m_boxes, box);
    const std::optional<BoxCorrection> correction = m_logic.leaveCheck(texts(), index);
    if (!correction)
        return true;
    BoundsFrames::correct(m_session, m_guard, m_boxes, *correction);
    return false;
}

std::optional<ConditionSet> SymmetryParallelsDialog::typedConditions() const
{
    const ConditionBoxes boxes = texts();
    bool valid = !m_logic.groupCheck(boxes);
    for (int i = m_logic.firstBox(); valid && i <= m_logic.firstBox() + 3; ++i)
        valid = !ConditionBoxesCheck::emptyBox(boxes, i);
    if (!valid)
        return std::nullopt;
    ConditionSet conditions = m_session.document().Conditions;
    SymmetryConditionsLogic::store(boxes, conditions);
    return conditions;
}

void SymmetryParallelsDialog::refreshCount()
{
    m_count->countTyped(typedConditions(), m_session.document());
}

void SymmetryParallelsDialog::confirm()
{
    if (!m_guard->confirmMayProceed())
        return;
    m_session.markModified();
    SymmetryConditionsLogic::store(texts(), m_session.document().Conditions);
    m_session.applyRule(CommandRule::ConditionsConfirmed);
    accept();
}
