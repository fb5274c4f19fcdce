#include "conditions/ui/EnablingWindow.h"

#include "conditions/ui/LiveCountLabel.h"
#include "document/ConditionSet.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace {

struct Kind {
    const char* name;
    const char* caption;
};

// In the order of the enable flags.
constexpr std::array<Kind, EnablingWindow::Kinds> KindBoxes = {{
    {"ckSegniMinMax", "Segni Min./Max."},
    {"ckSegniCons", "Segni Consecutivi"},
    {"ckInt", "Interruzioni"},
    {"ckSim", "Simmetrie"},
    {"ckPar", "Paralleli"},
    {"ckSequele", "Elimina Sequele"},
    {"ckParalleliP3", "Paralleli a Passo 3"},
}};

} // namespace

EnablingWindow::EnablingWindow(Session& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmABILITA"));
    setWindowTitle(QStringLiteral("Abilitazioni"));
    auto* layout = new QVBoxLayout(this);
    for (int k = 0; k < Kinds; ++k) {
        auto* box = new QCheckBox(QString::fromUtf8(KindBoxes[k].caption), this);
        box->setObjectName(QLatin1String(KindBoxes[k].name));
        layout->addWidget(box);
        m_boxes[k] = box;
    }
    m_count = new LiveCountLabel(this);
    layout->addWidget(m_count);
    showFlags(session.document().EnableFlags);
    for (QCheckBox* box : m_boxes)
        connect(box, &QCheckBox::toggled, this, &EnablingWindow::refreshCount);
    // Confirmed conditions and a new prediction change what the boxes would leave.
    connect(&session, &Session::commandsChanged, this, &EnablingWindow::refreshCount);
    connect(&session, &Session::statusChanged, this, &EnablingWindow::refreshCount);
    // The boxes follow the flags of whatever system becomes the open one.
    connect(&session, &Session::documentReset, this, [this] {
        showFlags(m_session.document().EnableFlags);
        refreshCount();
    });
    connect(&session, &Session::systemOpened, this, [this] {
        showFlags(m_session.document().EnableFlags);
        refreshCount();
    });
    refreshCount();
}

QString EnablingWindow::flagsText() const
{
    QString flags;
    for (const QCheckBox* box : m_boxes)
        flags += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return flags;
}

void EnablingWindow::showFlags(const QString& flags)
{
    for (int k = 0; k < Kinds; ++k)
        m_boxes[k]->setChecked(EnableFlagsText::isEnabled(flags, static_cast<ConditionKind>(k)));
}

void EnablingWindow::refreshCount()
{
    const SystemDocument& document = m_session.document();
    m_count->count(document.IntegralColumns, document.Conditions, flagsText(), document.Advanced);
}
