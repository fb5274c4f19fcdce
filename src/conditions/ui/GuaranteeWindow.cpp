#include "conditions/ui/GuaranteeWindow.h"

#include "platform/UserPrompts.h"
#include "session/ReducedSystem.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QString number(qsizetype value)
{
    return QLocale(QLocale::Italian).toString(value);
}

} // namespace

GuaranteeWindow::GuaranteeWindow(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmGARANZIA"));
    const SystemDocument& document = session.document();
    setWindowTitle(document.SystemName + QStringLiteral(" - Riduzione con Garanzia"));
    // What is reduced is protected; with nothing reduced, the whole integral system.
    m_targets = document.ReducedCount > 0 ? document.WorkColumns : document.IntegralColumns;

    auto* levelFrame = new QGroupBox(QStringLiteral("Garanzia"), this);
    m_level12 =
        named(new QRadioButton(QStringLiteral("&12 punti (un errore)"), levelFrame), "optDodici");
    m_level11 =
        named(new QRadioButton(QStringLiteral("1&1 punti (due errori)"), levelFrame), "optUndici");
    m_level12->setChecked(true);
    auto* levelLayout = new QVBoxLayout(levelFrame);
    levelLayout->addWidget(m_level12);
    levelLayout->addWidget(m_level11);

    auto* sourceFrame = new QGroupBox(QStringLiteral("Colonne da giocare"), this);
    m_fromIntegral =
        named(new QCheckBox(QStringLiteral("Anche fuori dalle condizioni (dal Sistema Integrale)"),
                            sourceFrame),
              "chkIntegrale");
    m_seconds = named(new QSpinBox(sourceFrame), "txtSecondi");
    m_seconds->setRange(1, 600);
    m_seconds->setValue(10);
    m_seconds->setSuffix(QStringLiteral(" s"));
    auto* sourceLayout = new QGridLayout(sourceFrame);
    sourceLayout->addWidget(m_fromIntegral, 0, 0, 1, 2);
    sourceLayout->addWidget(new QLabel(QStringLiteral("Tempo massimo"), sourceFrame), 1, 0);
    sourceLayout->addWidget(m_seconds, 1, 1);

    auto* runFrame = new QGroupBox(QStringLiteral("Elaborazione"), this);
    m_bar = named(new QProgressBar(runFrame), "BarraGaranzia");
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_size = named(new QLabel(runFrame), "lblCopertura");
    m_before = named(new QLabel(runFrame), "lblPrima");
    m_after = named(new QLabel(runFrame), "lblDopo");
    m_guarantee = named(new QLabel(runFrame), "lblGaranzia");
    m_distances = named(new QLabel(runFrame), "lblDistanze");
    auto* runLayout = new QVBoxLayout(runFrame);
    for (QWidget* widget : {static_cast<QWidget*>(m_bar), static_cast<QWidget*>(m_size),
                            static_cast<QWidget*>(m_before), static_cast<QWidget*>(m_after),
                            static_cast<QWidget*>(m_guarantee), static_cast<QWidget*>(m_distances)})
        runLayout->addWidget(widget);
    m_before->setText(QStringLiteral("Colonne prima: ") + number(m_targets.count()));

    m_start = named(new QPushButton(QStringLiteral("&Avvia"), this), "cmdAvvia");
    m_interrupt = named(new QPushButton(QStringLiteral("&Interrompi"), this), "cmdInterrompi");
    m_confirm = named(new QPushButton(QStringLiteral("&Conferma"), this), "cmdConferma");
    m_close = named(new QPushButton(QStringLiteral("C&hiudi"), this), "cmdChiudi");
    // What the system played now guarantees: before a confirmation the one it came with.
    auto* outcomes = named(new QPushButton(QStringLiteral("Garan&zie..."), this), "cmdGaranzie");
    for (QPushButton* button : {m_start, m_interrupt, m_confirm, m_close, outcomes})
        button->setAutoDefault(false);
    m_interrupt->setEnabled(false);
    m_confirm->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_start);
    buttons->addWidget(m_interrupt);
    buttons->addStretch();
    buttons->addWidget(outcomes);
    buttons->addWidget(m_confirm);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(levelFrame);
    layout->addWidget(sourceFrame);
    layout->addWidget(runFrame);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(m_start, &QPushButton::clicked, this, &GuaranteeWindow::start);
    connect(m_interrupt, &QPushButton::clicked, this, [this] { m_stop = true; });
    connect(m_confirm, &QPushButton::clicked, this, &GuaranteeWindow::confirm);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(outcomes, &QPushButton::clicked, this, &GuaranteeWindow::outcomesRequested);
    m_start->setEnabled(!m_targets.isEmpty());
    m_start->setFocus();
}

GuaranteeWindow::~GuaranteeWindow()
{
    stopWorker();
}

void GuaranteeWindow::stopWorker()
{
    m_stop = true;
    if (m_worker.joinable())
        m_worker.join();
}

void GuaranteeWindow::closeEvent(QCloseEvent* event)
{
    stopWorker();
    QDialog::closeEvent(event);
}

void GuaranteeWindow::start()
{
    GuaranteeCover::Request request;
    request.targets = m_targets;
    for (int i = 1; i <= SystemDocument::Matches; ++i)
        request.signs[i - 1] = m_session.document().signsOf(i);
    m_level = m_level11->isChecked() ? 11 : 12;
    request.level = m_level;
    request.source = m_fromIntegral->isChecked() ? GuaranteeCover::Source::Integral
                                                 : GuaranteeCover::Source::Protected;
    const int budget = m_seconds->value() * 1000;
    request.budgetMilliseconds = budget;
    request.stop = &m_stop;
    // The size reaches the window from the event loop; a closed window hears nothing.
    const QPointer<GuaranteeWindow> window(this);
    request.progress = [window](qsizetype size) {
        QMetaObject::invokeMethod(window, [window, size] {
            if (window)
                window->m_size->setText(QStringLiteral("Colonne della copertura: ") + number(size));
        });
    };
    for (QWidget* widget :
         {static_cast<QWidget*>(m_start), static_cast<QWidget*>(m_confirm),
          static_cast<QWidget*>(m_level12), static_cast<QWidget*>(m_level11),
          static_cast<QWidget*>(m_fromIntegral), static_cast<QWidget*>(m_seconds)})
        widget->setEnabled(false);
    m_interrupt->setEnabled(true);
    for (QLabel* label : {m_size, m_after, m_guarantee, m_distances})
        label->clear();
    m_bar->setRange(0, budget);
    m_bar->setValue(0);
    auto* clock = new QTimer(this);
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    connect(clock, &QTimer::timeout, this, [this, elapsed, budget] {
        m_bar->setValue(int(std::min<qint64>(elapsed->elapsed(), budget)));
    });
    clock->start(100);
    m_stop = false;
    m_worker = std::thread([window, request = std::move(request), clock]() mutable {
        GuaranteeCover::Result result = GuaranteeCover::build(request);
        QMetaObject::invokeMethod(window, [window, clock, result = std::move(result)]() mutable {
            if (!window)
                return;
            clock->deleteLater();
            window->finished(std::move(result));
        });
    });
}

void GuaranteeWindow::finished(GuaranteeCover::Result result)
{
    if (m_worker.joinable())
        m_worker.join();
    m_bar->setValue(m_bar->maximum());
    m_interrupt->setEnabled(false);
    for (QWidget* widget : {static_cast<QWidget*>(m_start), static_cast<QWidget*>(m_level12),
                            static_cast<QWidget*>(m_level11), static_cast<QWidget*>(m_fromIntegral),
                            static_cast<QWidget*>(m_seconds)})
        widget->setEnabled(true);
    // Offered only once checked by other means than the search's own.
    const GuaranteeCover::Check check = GuaranteeCover::verify(m_targets, result.played);
    m_size->setText(QStringLiteral("Colonne della copertura: ") + number(result.played.count()));
    m_after->setText(QStringLiteral("Colonne dopo: ") + number(result.played.count()));
    m_distances->setText(QStringLiteral("Colonne a distanza 0: %1,  1: %2,  2: %3")
                             .arg(number(check.atDistance[0]), number(check.atDistance[1]),
                                  number(check.atDistance[2])));
    if (!check.covers(m_level)) {
        m_guarantee->setText(QStringLiteral("Garanzia non raggiunta"));
        m_session.prompts().warn(m_session.messageTitle(),
                                 QStringLiteral("La verifica della copertura non è riuscita: "
                                                "nessuna colonna è stata cambiata."));
        return;
    }
    m_guarantee->setText(QStringLiteral("Garanzia: %1 punti").arg(m_level));
    m_result = std::move(result);
    m_confirm->setEnabled(true);
}

void GuaranteeWindow::confirm()
{
    QString error;
    if (!ReducedSystem::adopt(m_session.appFolder(), m_session.document(),
                              std::move(m_result.played), &error)) {
        m_session.prompts().warn(m_session.messageTitle(), error);
        return;
    }
    m_session.markModified();
    m_session.endMerge();
    m_session.applyRule(CommandRule::ReductionConfirmed);
    m_session.refreshStatus();
    m_confirm->setEnabled(false);
    close();
}
