#include "document/ui/TeamsDialog.h"

#include "document/ui/FieldBehaviour.h"
#include "session/Session.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct Series {
    const char* caption;
    const char* fieldName;
    int size;
};

// Positions 1..74 follow this order.
constexpr std::array<Series, 4> AllSeries = {{{"Serie A", "txtSerieA", 18},
                                              {"Serie B", "txtSerieB", 20},
                                              {"Serie C1 - Girone A", "txtSerieC1A", 18},
                                              {"Serie C1 - Girone B", "txtSerieC1B", 18}}};

} // namespace

TeamsDialog::TeamsDialog(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmSQUADRE"));
    setWindowTitle(QLatin1String(Session::AppTitle) + QStringLiteral(" - Squadre"));

    // Without Squadre.sys the names in memory are only placeholders: the fields start empty
    // and OK gives each the default name it is written with.
    const bool stored = QFileInfo::exists(session.appFilePath(TeamList::fileName()));
    auto* frames = new QHBoxLayout;
    int position = 0;
    for (const Series& series : AllSeries) {
        auto* frame = new QGroupBox(QLatin1String(series.caption), this);
        auto* grid = new QGridLayout(frame);
        for (int k = 1; k <= series.size; ++k) {
            auto* edit = new QLineEdit(frame);
            edit->setObjectName(
                QStringLiteral("%1(%2)").arg(QLatin1String(series.fieldName)).arg(k));
            FieldBehaviour::selectOnEntry(edit);
            if (stored)
                edit->setText(session.teams().name(position + 1));
            grid->addWidget(edit, k - 1, 0);
            m_fields[position++] = edit;
        }
        frames->addWidget(frame, 0, Qt::AlignTop);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("&Annulla"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    cancel->setObjectName(QStringLiteral("cmdAnnulla"));
    connect(ok, &QPushButton::clicked, this, &TeamsDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &TeamsDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);
}

void TeamsDialog::confirm()
{
    MatchesLogic::TeamTexts texts;
    for (int k = 0; k < TeamList::Count; ++k)
        texts[k] = m_fields[k]->text();
    texts = MatchesLogic::completedTeams(texts);
    for (int k = 0; k < TeamList::Count; ++k)
        m_fields[k]->setText(texts[k]);
    m_session.writeTeams(texts);
    accept();
}
