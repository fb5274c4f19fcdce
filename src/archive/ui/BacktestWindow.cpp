#include "archive/ui/BacktestWindow.h"

#include "archive/ArchiveStore.h"
#include "document/Options.h"
#include "output/EvidencePrintout.h"
#include "output/OutcomeTable.h"
#include "platform/UserPrompts.h"
#include "platform/ui/PrintJob.h"
#include "session/Session.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

BacktestWindow::BacktestWindow(Session& session, const ConditionSet& conditions,
                               const QString& enableFlags, const AdvancedConditions& advanced,
                               QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_rules(conditions, enableFlags, advanced)
    , m_store(std::make_unique<ArchiveStore>(session.appFolder()))
    , m_all(new QRadioButton(QStringLiteral("&Tutte"), this))
    , m_season(new QRadioButton(QStringLiteral("S&tagione"), this))
    , m_last(new QRadioButton(QStringLiteral("&Ultime"), this))
    , m_seasonText(new QLineEdit(session.options()[Options::StatsSeason], this))
    , m_lastText(new QLineEdit(session.options()[Options::StatsLastColumns], this))
    , m_table(new QTableWidget(0, 3, this))
    , m_passed(new QLabel(this))
    , m_eliminated(new QListWidget(this))
    , m_print(new QPushButton(QStringLiteral("&Stampa"), this))
{
    setObjectName(QStringLiteral("frmVERIFICA"));
    setWindowTitle(session.document().SystemName + QStringLiteral(" - Verifica sull'Archivio"));
    m_all->setObjectName(QStringLiteral("optTutte"));
    m_season->setObjectName(QStringLiteral("optStagione"));
    m_last->setObjectName(QStringLiteral("optUltime"));
    m_seasonText->setObjectName(QStringLiteral("txtStagione"));
    m_lastText->setObjectName(QStringLiteral("txtUltime"));
    m_all->setChecked(true);
    connect(m_seasonText, &QLineEdit::textEdited, m_season, [this] { m_season->setChecked(true); });
    connect(m_lastText, &QLineEdit::textEdited, m_last, [this] { m_last->setChecked(true); });
    m_table->setObjectName(QStringLiteral("grdRegole"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Regola"), QStringLiteral("Violata da"), QStringLiteral("Perc. %")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_passed->setObjectName(QStringLiteral("lblPassano"));
    m_eliminated->setObjectName(QStringLiteral("lstEliminate"));
    m_eliminated->setFont(QFont(QStringLiteral("Monospace")));

    auto* start = new QPushButton(QStringLiteral("&Verifica"), this);
    start->setObjectName(QStringLiteral("cmdVerifica"));
    m_print->setObjectName(QStringLiteral("cmdStampa"));
    m_print->setEnabled(false);
    auto* close = new QPushButton(QStringLiteral("&Chiudi"), this);
    close->setObjectName(QStringLiteral("cmdChiudi"));
    for (QPushButton* button : {start, m_print, close})
        button->setAutoDefault(false);
    connect(start, &QPushButton::clicked, this, &BacktestWindow::check);
    connect(m_print, &QPushButton::clicked, this, &BacktestWindow::print);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* interval = new QGridLayout;
    interval->addWidget(m_all, 0, 0);
    interval->addWidget(m_season, 1, 0);
    interval->addWidget(m_seasonText, 1, 1);
    interval->addWidget(m_last, 2, 0);
    interval->addWidget(m_lastText, 2, 1);
    interval->addWidget(new QLabel(QStringLiteral("Colonne vincenti complete dell'Archivio"), this),
                        0, 1);
    auto* results = new QHBoxLayout;
    results->addWidget(m_table);
    auto* lost = new QVBoxLayout;
    lost->addWidget(new QLabel(QStringLiteral("Concorsi la cui colonna vincente sarebbe stata "
                                              "eliminata:"),
                               this));
    lost->addWidget(m_eliminated, 1);
    results->addLayout(lost, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start);
    buttons->addWidget(m_print);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(interval);
    layout->addLayout(results, 1);
    layout->addWidget(m_passed);
    layout->addLayout(buttons);
    resize(640, 480);
}

BacktestWindow::~BacktestWindow() = default;

void BacktestWindow::check()
{
    using ArchiveStatistics::Interval;
    const Interval interval = m_season->isChecked() ? Interval::Season
                              : m_last->isChecked() ? Interval::Last
                                                    : Interval::All;
    QString error;
    QList<ArchiveRecord> records;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    bool done = m_store->isOpen() || m_store->open(&error, ArchiveStore::Access::ReadOnly);
    if (done) {
        QSqlDatabase database = m_store->database();
        done = ConditionBacktest::selectRecords(database, interval, m_seasonText->text().trimmed(),
                                                m_lastText->text().trimmed(), records, &error);
    }
    QGuiApplication::restoreOverrideCursor();
    if (!done) {
        m_session.prompts().message(
            {MessageIcon::Critical, QStringLiteral("QUADRIGO 13"), error, MessageButtons::Ok});
        return;
    }
    const ConditionBacktest::Result result = ConditionBacktest::run(records, m_rules);
    m_lines = ConditionBacktest::lines(result, m_rules);
    const QList<ConditionRule>& rules = m_rules.rules();
    m_table->setRowCount(int(rules.size()));
    for (int row = 0; row < int(rules.size()); ++row) {
        const QStringList cells = {
            rules.at(row).name, QString::number(result.brokenBy.at(row)),
            OutcomeTable::percentText(result.brokenBy.at(row), result.tried)};
        for (int column = 0; column < 3; ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_passed->setText(ConditionBacktest::passText(result));
    m_eliminated->clear();
    m_lines << QString();
    for (const ConditionBacktest::Eliminated& gone : result.eliminated) {
        const QString line = QStringLiteral("%1 %2 %3  %4")
                                 .arg(gone.season, gone.contest.rightJustified(2),
                                      QString::fromLatin1(gone.column), gone.rules.join(u' '));
        m_eliminated->addItem(line);
        m_lines << line;
    }
    m_print->setEnabled(true);
}

void BacktestWindow::print()
{
    PrintJob job(this, m_session.prompts(), m_session.progress());
    job.run({m_session.document().SystemName, QStringLiteral("Stampa in corso... Attendere !"), {}},
            [this](PrintSurface& surface, ProgressReporter& progress) {
                EvidencePrintout::PrintLines(surface, QStringLiteral("Verifica sull'Archivio"),
                                             m_session.document().SystemName, m_lines, progress);
            });
}
