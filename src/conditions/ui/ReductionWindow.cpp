#include "conditions/ui/ReductionWindow.h"

#include "conditions/ReductionEngine.h"
#include "platform/BackgroundWork.h"
#include "platform/ColumnDatabase.h"
#include "platform/NumberFormat.h"
#include "platform/UserPrompts.h"
#include "session/ReducedSystem.h"
#include "session/Session.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

struct PassNames {
    const char* caption;
    const char* count;
    const char* cost;
};

// In the order of ReductionEngine::allPasses().
constexpr std::array<PassNames, 15> Names = {{
    {"lblCapSegniMinMax", "lblSegniMinMax", "lblSMM"},
    {"lblCapSegniCons", "lblSegniCons", "lblSC"},
    {"lblCapInterruzioni", "lblInterruzioni", "lblInt"},
    {"lblCapSim", "lblSim", "lblS"},
    {"lblCapPar", "lblPar", "lblP"},
    {"lblCapSeq1", "lblSeq1", "lblSQ1"},
    {"lblCapSeq2", "lblSeq2", "lblSQ2"},
    {"lblCapSeq3", "lblSeq3", "lblSQ3"},
    {"lblCapSeq4", "lblSeq4", "lblSQ4"},
    {"lblCapSeq5", "lblSeq5", "lblSQ5"},
    {"lblCapSeq6", "lblSeq6", "lblSQ6"},
    {"lblCapSeq7", "lblSeq7", "lblSQ7"},
    {"lblCapParalleliP3", "lblParalleliP3", "lblPar3"},
    {"lblCapTolleranza", "lblTolleranza", "lblTol"},
    {"lblCapProbabili", "lblProbabili", "lblProb"},
}};

constexpr int RepaintInterval = 30; // ms

QLabel* label(QWidget* parent, const char* name, bool panel)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    if (panel) {
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(
            label->fontMetrics().horizontalAdvance(QStringLiteral(" 1594323 su  1594323 ")));
    }
    // Hidden passes keep their place, so the window does not jump while a run shows them.
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    return label;
}

// Hands the engine's progress, seen on the worker thread, to the window's watcher on the GUI
// thread, and ends the run when the user cancels.
class ForwardedObserver final : public ReductionObserver {
public:
    ForwardedObserver(BackgroundWork& work, ReductionObserver& shown)
        : m_work(work)
        , m_shown(shown)
    {}
    void passStarted(ReductionPass pass, qsizetype total) override
    {
        m_work.checkStop();
        m_work.toGui([this, pass, total] { m_shown.passStarted(pass, total); });
    }
    void passProgress(ReductionPass pass, qsizetype done, qsizetype total) override
    {
        m_work.checkStop();
        m_work.toGui([this, pass, done, total] { m_shown.passProgress(pass, done, total); });
    }
    void passFinished(ReductionPass pass, qsizetype survivors) override
    {
        m_work.toGui([this, pass, survivors] { m_shown.passFinished(pass, survivors); });
    }

private:
    BackgroundWork& m_work;
    ReductionObserver& m_shown;
};

} // namespace

// Shows the engine's progress on the window's labels and the main window's progress bar, at
// most every 30 ms.
class ReductionWindow::Watcher final : public ReductionObserver {
public:
    explicit Watcher(ReductionWindow& window)
        : m_window(window)
        , m_price(window.m_session.options().columnCost())
    {
        m_sinceRepaint.start();
    }

    void passStarted(ReductionPass pass, qsizetype total) override
    {
        PassLabels& labels = m_window.labelsOf(pass);
        labels.caption->show();
        labels.count->show();
        labels.cost->show();
        m_window.m_session.progress().setRange(0, int(total));
        m_window.repaint();
        m_sinceRepaint.restart();
    }

    void passProgress(ReductionPass pass, qsizetype done, qsizetype total) override
    {
        QLabel* count = m_window.labelsOf(pass).count;
        count->setText(ReductionEngine::runningCountText(pass, done, total));
        m_window.m_session.progress().setValue(int(done));
        if (done == total || m_sinceRepaint.elapsed() >= RepaintInterval) {
            count->repaint();
            m_sinceRepaint.restart();
        }
    }

    void passFinished(ReductionPass pass, qsizetype survivors) override
    {
        PassLabels& labels = m_window.labelsOf(pass);
        labels.count->setText(ReductionEngine::finalCountText(survivors));
        m_window.m_session.progress().setValue(0);
        if (survivors > 0) {
            m_window.m_start->hide();
            m_window.m_cancel->hide();
            labels.cost->setText(ReductionEngine::costText(survivors, m_price));
        }
        m_window.repaint();
        m_sinceRepaint.restart();
    }

private:
    ReductionWindow& m_window;
    double m_price;
    QElapsedTimer m_sinceRepaint;
};

ReductionWindow::ReductionWindow(Session& session, FlagsSource flags, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_flags(std::move(flags))
    , m_timeCaption(label(this, "lblStrTmp", false))
    , m_time(label(this, "lblTempo", true))
    , m_start(new QPushButton(QStringLiteral("&Elabora"), this))
    , m_cancel(new QPushButton(QStringLiteral("&Annulla"), this))
    , m_confirm(new QPushButton(QStringLiteral("&Conferma"), this))
    , m_confirmGuarantee(new QPushButton(QStringLiteral("Conferma e &Garanzia..."), this))
    , m_confirmOutcomes(new QPushButton(QStringLiteral("Conferma e Garan&zie..."), this))
{
    setObjectName(QStringLiteral("frmELABORA"));
    setModal(false);
    setWindowTitle(session.document().SystemName +
                   QStringLiteral(" - Elabora Sistema Condizionato"));

    auto* passes = new QGridLayout;
    const auto& order = ReductionEngine::allPasses();
    for (std::size_t p = 0; p < order.size(); ++p) {
        PassLabels& labels = m_labels[p];
        labels.caption = label(this, Names[p].caption, false);
        labels.count = label(this, Names[p].count, true);
        labels.cost = label(this, Names[p].cost, true);
        labels.caption->setText(ReductionEngine::captionOf(order[p]));
        passes->addWidget(labels.caption, int(p), 0);
        passes->addWidget(labels.count, int(p), 1);
        passes->addWidget(labels.cost, int(p), 2);
        labels.caption->hide();
        labels.count->hide();
        labels.cost->hide();
    }
    m_timeCaption->setText(QStringLiteral("Tempo di Elaborazione:"));
    passes->addWidget(m_timeCaption, int(order.size()), 0, Qt::AlignRight);
    passes->addWidget(m_time, int(order.size()), 1);

    m_start->setObjectName(QStringLiteral("cmdAvvia"));
    m_cancel->setObjectName(QStringLiteral("cmdAnnulla"));
    m_confirm->setObjectName(QStringLiteral("cmdOK"));
    m_confirmGuarantee->setObjectName(QStringLiteral("cmdGaranzia"));
    m_confirmOutcomes->setObjectName(QStringLiteral("cmdGaranzie"));
    for (QPushButton* button :
         {m_start, m_cancel, m_confirm, m_confirmGuarantee, m_confirmOutcomes}) {
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
    }
    connect(m_start, &QPushButton::clicked, this, &ReductionWindow::run);
    connect(m_cancel, &QPushButton::clicked, this, &ReductionWindow::close);
    connect(m_confirm, &QPushButton::clicked, this, &ReductionWindow::confirmResult);
    connect(m_confirmGuarantee, &QPushButton::clicked, this, [this] {
        confirmResult();
        emit guaranteeRequested();
    });
    connect(m_confirmOutcomes, &QPushButton::clicked, this, [this] {
        confirmResult();
        emit outcomesRequested();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_start);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_confirm);
    buttons->addWidget(m_confirmGuarantee);
    buttons->addWidget(m_confirmOutcomes);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(passes);
    layout->addStretch();
    layout->addLayout(buttons);

    m_confirm->hide();
    m_confirmGuarantee->hide();
    m_confirmOutcomes->hide();
    m_time->hide();
    m_timeCaption->hide();
}

ReductionWindow::~ReductionWindow() = default;

ReductionWindow::PassLabels& ReductionWindow::labelsOf(ReductionPass pass)
{
    return m_labels[static_cast<std::size_t>(pass)];
}

void ReductionWindow::run()
{
    QElapsedTimer clock;
    clock.start();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    auto pointer = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });

    for (PassLabels& labels : m_labels) {
        for (QLabel* shown : {labels.caption, labels.count, labels.cost})
            shown->hide();
        labels.count->clear();
        labels.cost->clear();
    }
    m_time->hide();
    m_timeCaption->hide();
    // A new run replaces whatever an earlier one left to confirm.
    m_confirm->hide();
    m_confirmGuarantee->hide();
    m_confirmOutcomes->hide();
    m_survivors.clear();
    repaint();

    SystemDocument& document = m_session.document();
    m_session.progress().setRange(0, document.IntegralCount);
    Watcher watcher(*this);
    // The run goes on a worker thread, so that the window keeps painting and "&Annulla" (or
    // closing the window) stops it, up to the moment the table is written; a stopped run leaves
    // the table as it was.
    BackgroundWork work({m_cancel});
    ForwardedObserver forwarded(work, watcher);
    const QString flags = m_flags();
    ReductionEngine::Result result;
    QString error;
    bool written = false;
    const QString appFolder = m_session.appFolder();
    const bool finished = work.run([&] {
        result = ReductionEngine::run(document.IntegralColumns, document.Conditions, flags,
                                      document.Advanced, &forwarded);
        work.checkpoint();
        written = ColumnDatabase::writeReducedColumns(appFolder, result.survivors, &error);
    });
    m_session.progress().setValue(0);
    if (!finished)
        return;

    m_tableCount = written ? result.survivors.count() : 0;
    pointer.dismiss();
    QGuiApplication::restoreOverrideCursor();

    if (!written) {
        m_session.prompts().message(
            {MessageIcon::Critical, m_session.messageTitle(),
             QStringLiteral("Impossibile scrivere il Sistema Ridotto ! (%1)").arg(error)});
        m_start->show();
        m_cancel->show();
        return;
    }
    if (result.stoppedEmpty) {
        m_session.prompts().warn(m_session.messageTitle(),
                                 QStringLiteral("Il Sistema Ridotto non prevede alcuna Colonna !"));
        if (result.passes.constLast().pass == ReductionPass::SignCounts)
            close();
        return;
    }

    m_survivors = std::move(result.survivors);
    QApplication::beep();
    const double seconds = NumberFormat::roundHalfEven(double(clock.elapsed()) / 1000.0);
    m_time->setText(NumberFormat::FormatElapsed(qint64(seconds)));
    for (QWidget* shown :
         std::initializer_list<QWidget*>{m_time, m_timeCaption, m_start, m_cancel, m_confirm,
                                         m_confirmGuarantee, m_confirmOutcomes})
        shown->show();
    repaint();
}

void ReductionWindow::confirmResult()
{
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto pointer = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        ReducedSystem::confirm(m_session.document(), std::move(m_survivors), m_flags());
        m_survivors.clear();
    }
    m_session.markModified();
    m_session.endMerge();
    m_session.applyRule(CommandRule::ReductionConfirmed);
    m_session.refreshStatus();
    m_confirm->hide();
    m_confirmGuarantee->hide();
    m_confirmOutcomes->hide();
    close();
}

void ReductionWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        m_confirm->hide();
    m_confirmGuarantee->hide();
    m_confirmOutcomes->hide();
    QDialog::changeEvent(event);
}
