#include "conditions/ui/SymmetryParallelsDialog.h"

#include "app/Session.h"
#include "conditions/ui/BoxLeaveGuard.h"
#include "conditions/ui/PredictionPanel.h"
#include "document/ui/FieldBehaviour.h"
#include "platform/UserPrompts.h"

#include <QColor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Fill colours of the paired matches, one per pair (two at step 3, odd and even).
const std::array<QColor, 6> PairColours = {QColor(0xff, 0xc0, 0xc0), QColor(0xc0, 0xff, 0xc0),
                                           QColor(0xc0, 0xc0, 0xff), QColor(0xff, 0xff, 0xa0),
                                           QColor(0xa0, 0xff, 0xff), QColor(0xff, 0xc0, 0xff)};

// One group: rows "Presenze" (m, m+1) and "Cons." (m+2, m+3) under "Minimo" and "Massimo".
QGroupBox* groupFrame(QWidget* parent, const QString& title, int first, int digits,
                      std::array<QLineEdit*, ConditionSet::Size>& boxes)
{
    auto* frame = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Minimo"), frame), 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Massimo"), frame), 0, 2, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Presenze"), frame), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Cons."), frame), 2, 0);
    for (int k = 0; k < 4; ++k) {
        const int index = first + k;
        auto* box = new QLineEdit(frame);
        box->setObjectName(QStringLiteral("txtCond(%1)").arg(index));
        // One digit holds the 0..6 of symmetries and parallels; step 3 goes up to 11.
        box->setMaxLength(digits);
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
        grid->addWidget(box, 1 + k / 2, 1 + k % 2);
        boxes[index] = box;
    }
    return frame;
}

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
{
    setObjectName(QStringLiteral("frmCONDSP"));
    const SystemDocument& document = session.document();
    setWindowTitle(SymmetryConditionsLogic::caption(m_logic.mode(), document.SystemName));

    auto* symmetries = groupFrame(this, QStringLiteral("Simmetrie"), 17, 1, m_boxes);
    auto* parallels = groupFrame(this, QStringLiteral("Paralleli"), 21, 1, m_boxes);
    auto* step3 = groupFrame(this, QStringLiteral("Paralleli a Passo 3"), 46, 2, m_boxes);

    const ConditionBoxes shown = SymmetryConditionsLogic::boxesOf(document.Conditions);
    const auto accepts = [this](QChar typed) { return m_logic.acceptsKey(typed); };
    for (int i : SymmetryConditionsLogic::Boxes) {
        QLineEdit* box = m_boxes[i];
        box->setText(shown[i]);
        box->setEnabled(m_logic.isEditable(i));
        FieldBehaviour::filterKeys(box, FieldBehaviour::accepting(accepts));
        FieldBehaviour::selectOnEntry(box);
        m_guard->watch(box);
    }
    colourPanel();

    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_close->setObjectName(QStringLiteral("cmdChiudi"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &SymmetryParallelsDialog::confirm);
    connect(m_close, &QPushButton::clicked, this, &SymmetryParallelsDialog::reject);

    auto* frames = new QVBoxLayout;
    frames->addWidget(symmetries);
    frames->addWidget(parallels);
    frames->addWidget(step3);
    frames->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    frames->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_panel);
    layout->addLayout(frames);
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
    const int index = int(std::find(m_boxes.cbegin(), m_boxes.cend(), box) - m_boxes.cbegin());
    const std::optional<BoxCorrection> correction = m_logic.leaveCheck(texts(), index);
    if (!correction)
        return true;
    m_session.prompts().warn(m_session.messageTitle(), correction->message);
    QLineEdit* corrected = m_boxes[correction->box];
    corrected->setText(correction->text);
    m_guard->focusBox(corrected);
    return false;
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
