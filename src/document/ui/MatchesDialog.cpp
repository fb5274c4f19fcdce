#include "document/ui/MatchesDialog.h"

#include "document/ui/FieldBehaviour.h"
#include "session/Session.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

QComboBox* teamBox(QWidget* parent, const char* name, int match)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(match));
    box->setEditable(true);
    // Typed names stay as typed: they neither join the list nor get completed from it.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    // A name longer than the record holds cannot be typed, rather than being cut unseen.
    box->lineEdit()->setMaxLength(TeamList::NameWidth);
    FieldBehaviour::selectOnEntry(box);
    box->setMinimumWidth(170);
    return box;
}

} // namespace

MatchesDialog::MatchesDialog(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmINCONTRI"));
    setWindowTitle(session.document().SystemName + QStringLiteral(" - Incontri"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Squadra Casa"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Squadra Ospite"), this), 0, 2);
    for (int i = 1; i <= MatchesLogic::Matches; ++i) {
        auto* number = new QLabel(QString::number(i), this);
        number->setObjectName(QStringLiteral("lblNum(%1)").arg(i));
        m_home[i - 1] = teamBox(this, "cboCasa", i);
        m_away[i - 1] = teamBox(this, "cboFuori", i);
        grid->addWidget(number, i, 0);
        grid->addWidget(m_home[i - 1], i, 1);
        grid->addWidget(m_away[i - 1], i, 2);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("&Annulla"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    cancel->setObjectName(QStringLiteral("cmdAnnulla"));
    connect(ok, &QPushButton::clicked, this, &MatchesDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &MatchesDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    load();
}

void MatchesDialog::load()
{
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto pointer = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        ProgressReporter& progress = m_session.progress();
        progress.setRange(0, TeamList::Count);
        for (int t = 1; t <= TeamList::Count; ++t) {
            progress.setValue(t);
            const QString& name = m_session.teams().name(t);
            for (int i = 0; i < MatchesLogic::Matches; ++i) {
                m_home[i]->addItem(name);
                m_away[i]->addItem(name);
            }
        }
        progress.setValue(0);
    }

    const SystemDocument& document = m_session.document();
    for (int i = 1; i <= MatchesLogic::Matches; ++i) {
        m_home[i - 1]->setCurrentIndex(-1);
        m_home[i - 1]->setEditText(MatchesLogic::shownName(document.homeTeam(i)));
        m_away[i - 1]->setCurrentIndex(-1);
        m_away[i - 1]->setEditText(MatchesLogic::shownName(document.awayTeam(i)));
    }
}

void MatchesDialog::confirm()
{
    MatchesLogic::MatchTexts home;
    MatchesLogic::MatchTexts away;
    for (int i = 0; i < MatchesLogic::Matches; ++i) {
        home[i] = m_home[i]->currentText();
        away[i] = m_away[i]->currentText();
    }
    MatchesLogic::applyMatches(m_session.document(), home, away);
    m_session.markModified();
    m_session.applyRule(CommandRule::MatchesConfirmed);
    accept();
}

void MatchesDialog::reject()
{
    if (!m_session.document().SystemName.isEmpty()) {
        m_session.markModified();
        m_session.applyRule(CommandRule::MatchesCancelled);
    }
    QDialog::reject();
}
