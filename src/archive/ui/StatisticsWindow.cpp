#include "archive/ui/StatisticsWindow.h"

#include "archive/ArchivePrintout.h"
#include "archive/ArchiveStore.h"
#include "archive/ui/CsvExport.h"
#include "document/Options.h"
#include "document/ui/FieldBehaviour.h"
#include "platform/PrintSurface.h"
#include "platform/Twips.h"
#include "platform/UserPrompts.h"
#include "platform/ui/PrintJob.h"
#include "platform/ui/WindowSizing.h"
#include "session/Session.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Values = 14; // a measure counts 0 .. 13
constexpr int ColumnWidths[3] = {750, 1100, 700};

QString title()
{
    return QLatin1String(Session::AppTitle);
}

auto waitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return qScopeGuard([] { QApplication::restoreOverrideCursor(); });
}

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

StatisticsWindow::StatisticsWindow(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_store(std::make_unique<ArchiveStore>(session.appFolder()))
    , m_measure(named(new QComboBox(this), "cboTipo"))
    , m_all(named(new QRadioButton(QStringLiteral("Tutte le colonne"), this), "ckTutte"))
    , m_season(named(new QRadioButton(QStringLiteral("Stagione"), this), "ckStagione"))
    , m_last(named(new QRadioButton(QStringLiteral("Ultime"), this), "ckUltime"))
    , m_seasonText(named(new QLineEdit(this), "txtStagione"))
    , m_lastText(named(new QLineEdit(this), "txtUltime"))
    , m_complete(named(new QCheckBox(QStringLiteral("Solo Colonne Complete"), this), "ckComplete"))
    , m_postponed(named(new QCheckBox(QStringLiteral("Solo con Posticipo/i in Fondo"), this),
                        "ckPosticipo"))
    , m_print(named(new QPushButton(QStringLiteral("&Stampa Intervallo"), this), "cmdStampa"))
    , m_export(named(new QPushButton(QStringLiteral("&Esporta…"), this), "cmdEsporta"))
    , m_archived(new QGroupBox(QStringLiteral("Colonne in Archivio"), this))
    , m_archivedCount(named(new QLabel(m_archived), "lblColArc"))
    , m_table(named(new QTableWidget(0, 3, this), "GridSTAT"))
    , m_total(named(new QLabel(this), "lblTOT"))
    , m_chart(named(new QChartView(this), "chartDistribuzione"))
    , m_results(new QWidget(this))
{
    setObjectName(QStringLiteral("frmSTATISTICHE"));
    setWindowTitle(title() + QStringLiteral(" - Statistiche"));

    for (const ArchiveStatistics::MeasureInfo& measure : ArchiveStatistics::measureTable())
        m_measure->addItem(QString::fromUtf8(measure.entry));
    auto* kind = new QGroupBox(QStringLiteral("Tipologia"), this);
    (new QVBoxLayout(kind))->addWidget(m_measure);

    m_seasonText->setMaxLength(9);
    m_lastText->setMaxLength(4);
    const int boxWidth =
        m_seasonText->fontMetrics().horizontalAdvance(QStringLiteral("0000-00000"));
    m_seasonText->setFixedWidth(boxWidth + 14);
    m_lastText->setFixedWidth(boxWidth / 2 + 14);
    auto* interval = new QGroupBox(QStringLiteral("Intervallo"), this);
    auto* intervalLayout = new QGridLayout(interval);
    intervalLayout->addWidget(m_all, 0, 0, 1, 3);
    intervalLayout->addWidget(m_season, 1, 0);
    intervalLayout->addWidget(m_seasonText, 1, 1, 1, 2, Qt::AlignLeft);
    intervalLayout->addWidget(m_last, 2, 0);
    intervalLayout->addWidget(m_lastText, 2, 1);
    intervalLayout->addWidget(new QLabel(QStringLiteral("Colonne"), interval), 2, 2);
    intervalLayout->setColumnStretch(2, 1);
    for (QLineEdit* box : {m_seasonText, m_lastText}) {
        FieldBehaviour::selectOnEntry(box);
        box->installEventFilter(this);
    }

    auto* columns = new QGroupBox(QStringLiteral("Colonne"), this);
    auto* columnsLayout = new QVBoxLayout(columns);
    columnsLayout->addWidget(m_complete);
    columnsLayout->addWidget(m_postponed);

    auto* series = new QGroupBox(QStringLiteral("Serie"), this);
    auto* seriesLayout = new QVBoxLayout(series);
    constexpr const char* SeriesNames[5] = {"ckSerieA", "ckSerieABC", "ckSerieBOC", "ckSerieVAR",
                                            "ckSerieIND"};
    const auto seriesTable = ArchiveFields::seriesTable();
    for (int i = 0; i < 5; ++i) {
        m_series[i] = named(new QCheckBox(QString::fromUtf8(seriesTable[i].checkBox), series),
                            SeriesNames[i]);
        seriesLayout->addWidget(m_series[i]);
    }

    auto* searchButton = named(new QPushButton(QStringLiteral("&Ricerca"), this), "cmdRicerca");
    auto* close = named(new QPushButton(QStringLiteral("&Chiudi"), this), "cmdChiudi");
    connect(searchButton, &QPushButton::clicked, this, &StatisticsWindow::search);
    connect(m_print, &QPushButton::clicked, this, &StatisticsWindow::print);
    connect(m_export, &QPushButton::clicked, this, &StatisticsWindow::exportCsv);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QGridLayout;
    buttons->addWidget(searchButton, 0, 0);
    buttons->addWidget(m_print, 0, 1);
    buttons->addWidget(m_export, 1, 0);
    buttons->addWidget(close, 1, 1);

    auto* choices = new QVBoxLayout;
    choices->addWidget(kind);
    choices->addWidget(interval);
    choices->addWidget(columns);
    choices->addWidget(series);
    choices->addStretch();
    choices->addLayout(buttons);

    // The results: the archive's size, the table of counts and the chart beside it.
    (new QHBoxLayout(m_archived))->addWidget(m_archivedCount);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    int tableWidth =
        2 * m_table->frameWidth() + m_table->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    // At least as wide as the longest heading, so that none is cut.
    const QFontMetrics headerFont(m_table->horizontalHeader()->font());
    int headingWidth = 0;
    for (const ArchiveStatistics::MeasureInfo& measure : ArchiveStatistics::measureTable())
        headingWidth = std::max(headingWidth,
                                headerFont.horizontalAdvance(QString::fromUtf8(measure.heading)));
    for (int column = 0; column < 3; ++column) {
        const int heading =
            column == 1 ? headingWidth : headerFont.horizontalAdvance(QStringLiteral("Colonne"));
        m_table->setColumnWidth(column,
                                std::max(Twips::toPixels(ColumnWidths[column]), heading + 14));
        tableWidth += m_table->columnWidth(column);
    }
    m_table->setFixedWidth(tableWidth);

    auto* chart = new QChart;
    auto* bars = new QBarSeries(chart);
    for (const char* name : {"Colonne vincenti", "Sistema integrale"}) {
        auto* set = new QBarSet(QLatin1String(name), bars);
        for (int value = 0; value < Values; ++value)
            set->append(0);
        bars->append(set);
    }
    chart->addSeries(bars);
    auto* values = new QBarCategoryAxis(chart);
    for (int value = 0; value < Values; ++value)
        values->append(QString::number(value));
    auto* shares = new QValueAxis(chart);
    shares->setLabelFormat(QStringLiteral("%.0f"));
    shares->setTitleText(QStringLiteral("%"));
    shares->setTickType(QValueAxis::TicksDynamic);
    shares->setTickAnchor(0);
    chart->addAxis(values, Qt::AlignBottom);
    chart->addAxis(shares, Qt::AlignLeft);
    bars->attachAxis(values);
    bars->attachAxis(shares);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    // The view lets go of the chart it started with instead of deleting it.
    QChart* initial = m_chart->chart();
    m_chart->setChart(chart);
    delete initial;
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumSize(460, 320);

    auto* tableColumn = new QVBoxLayout;
    tableColumn->addWidget(m_archived);
    tableColumn->addWidget(m_table, 1);
    tableColumn->addWidget(m_total);
    auto* resultsLayout = new QHBoxLayout(m_results);
    resultsLayout->setContentsMargins(0, 0, 0, 0);
    resultsLayout->addLayout(tableColumn);
    resultsLayout->addWidget(m_chart, 1);
    m_results->hide();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_results, 1);

    // Initial choices: the latest contests, complete columns of the A, B and C or undefined
    // series.
    m_last->setChecked(true);
    m_complete->setChecked(true);
    m_series[1]->setChecked(true);
    m_series[4]->setChecked(true);
    m_lastText->setText(session.options()[Options::StatsLastColumns]);
    m_seasonText->setText(session.options()[Options::StatsSeason]);
    m_print->setEnabled(false);
    m_export->setEnabled(false);

    // A printout follows the search just seen: any other choice withdraws it. The measure
    // does not count, as the printout lists the columns themselves.
    for (QAbstractButton* box :
         std::initializer_list<QAbstractButton*>{m_all, m_season, m_last, m_complete, m_postponed})
        connect(box, &QAbstractButton::toggled, this, &StatisticsWindow::choiceChanged);
    for (QCheckBox* box : m_series)
        connect(box, &QAbstractButton::toggled, this, &StatisticsWindow::choiceChanged);
    for (QLineEdit* box : {m_seasonText, m_lastText})
        connect(box, &QLineEdit::textChanged, this, &StatisticsWindow::choiceChanged);
    connect(m_season, &QAbstractButton::clicked, m_seasonText,
            [this] { m_seasonText->setFocus(); });
    connect(m_last, &QAbstractButton::clicked, m_lastText, [this] { m_lastText->setFocus(); });

    QString error;
    int count = -1;
    {
        const auto pointer = waitCursor();
        if (m_store->open(&error, ArchiveStore::Access::ReadOnly))
            count = m_store->count(&error);
    }
    m_archivedCount->setText(QString::number(std::max(count, 0)));
    if (count < 0)
        reportError(error);
    m_measure->setFocus();
}

StatisticsWindow::~StatisticsWindow() = default;

bool StatisticsWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Entering an interval's box chooses that interval.
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_seasonText)
            m_season->setChecked(true);
        else if (watched == m_lastText)
            m_last->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}

ArchiveStatistics::Choice StatisticsWindow::choice() const
{
    ArchiveStatistics::Choice choice;
    choice.measure = m_measure->currentIndex();
    choice.interval = m_all->isChecked()      ? ArchiveStatistics::Interval::All
                      : m_season->isChecked() ? ArchiveStatistics::Interval::Season
                                              : ArchiveStatistics::Interval::Last;
    choice.season = m_seasonText->text();
    choice.last = m_lastText->text();
    choice.completeOnly = m_complete->isChecked();
    choice.postOnly = m_postponed->isChecked();
    for (int i = 0; i < 5; ++i)
        choice.series[i] = m_series[i]->isChecked();
    return choice;
}

void StatisticsWindow::choiceChanged()
{
    m_print->setEnabled(false);
    m_export->setEnabled(false);
}

void StatisticsWindow::search()
{
    const ArchiveStatistics::Choice asked = choice();
    if (!ArchiveStatistics::anySeries(asked)) {
        m_session.prompts().warn(title(), QStringLiteral("Selezionare almeno una casella Serie !"));
        return;
    }
    ArchiveStatistics::Result result;
    QString filter;
    QString error;
    bool found = false;
    {
        const auto pointer = waitCursor();
        if (m_store->isOpen() || m_store->open(&error, ArchiveStore::Access::ReadOnly)) {
            QSqlDatabase database = m_store->database();
            found = ArchiveStatistics::Search(database, asked, result, filter, &error);
        }
    }
    if (!found)
        return reportError(error);
    m_searched = asked;
    showResult(result);
    m_print->setEnabled(!result.rows.isEmpty());
    m_export->setEnabled(!result.rows.isEmpty());
}

void StatisticsWindow::showResult(const ArchiveStatistics::Result& result)
{
    const ArchiveStatistics::MeasureInfo& measure =
        ArchiveStatistics::measureTable()[m_searched.measure];
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Colonne"), QString::fromUtf8(measure.heading), QStringLiteral("Perc. %")});
    m_table->setRowCount(int(result.rows.size()));
    for (int row = 0; row < result.rows.size(); ++row) {
        const ArchiveStatistics::Row& counted = result.rows[row];
        const QString cells[3] = {QString::number(counted.count), counted.value,
                                  ArchiveStatistics::PercentText(counted.count, result.total)};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }
    m_total->setText(QStringLiteral("Tot Colonne: %1").arg(result.total));

    const ArchiveStatistics::Distribution shares =
        ArchiveStatistics::distribution(m_searched.measure, result);
    auto* bars = static_cast<QBarSeries*>(m_chart->chart()->series().constFirst());
    QBarSet* archived = bars->barSets().at(0);
    QBarSet* integral = bars->barSets().at(1);
    double highest = 0;
    // The axis spans every value the measure can take (any the integral system holds) and any
    // archived one, from the first to the last.
    int first = Values - 1;
    int last = 0;
    for (int value = 0; value < Values; ++value) {
        const double share = result.total > 0 ? shares.archived[value] * 100.0 / result.total : 0.0;
        archived->replace(value, share);
        integral->replace(value, shares.integralShare[value] * 100.0);
        highest = std::max({highest, share, shares.integralShare[value] * 100.0});
        if (shares.integralShare[value] > 0 || shares.archived[value] > 0) {
            first = std::min(first, value);
            last = std::max(last, value);
        }
    }
    auto* categories =
        static_cast<QBarCategoryAxis*>(m_chart->chart()->axes(Qt::Horizontal).constFirst());
    categories->setRange(QString::number(std::min(first, last)), QString::number(last));
    auto* axis = static_cast<QValueAxis*>(m_chart->chart()->axes(Qt::Vertical).constFirst());
    // Round steps of 5 or 10 points up to the highest bar.
    const double step = highest > 40 ? 10 : 5;
    axis->setRange(0, std::max(step * 2, std::ceil(highest / step) * step));
    axis->setTickInterval(step);
    m_chart->chart()->setTitle(QString::fromUtf8(measure.entry));

    if (m_results->isHidden())
        m_results->show();
    // The window grows to show the whole table and chart, whatever its first size.
    WindowSizing::fitContent(this);
}

bool StatisticsWindow::selectedRecords(QList<ArchiveRecord>& records)
{
    QString error;
    bool selected = false;
    {
        const auto pointer = waitCursor();
        QSqlDatabase database = m_store->database();
        selected = ArchiveStatistics::SelectRecords(database, m_searched, records, &error);
    }
    if (!selected)
        reportError(error);
    return selected;
}

void StatisticsWindow::print()
{
    QList<ArchiveRecord> records;
    if (!selectedRecords(records)) {
        m_print->setEnabled(false);
        return;
    }
    m_session.TaskMode = QStringLiteral("STAM");
    PrintJob job(this, m_session.prompts(), m_session.progress());
    const ArchiveStatistics::Choice& searched = m_searched;
    const PrintJob::Outcome outcome = job.run(
        {m_session.document().SystemName, QStringLiteral("Stampa in corso... Attendere !"), {}},
        [&records, &searched](PrintSurface& surface, ProgressReporter& progress) {
            ArchivePrintout::PrintInterval(surface, records, searched, progress);
        });
    if (outcome != PrintJob::Outcome::Cancelled)
        m_print->setEnabled(false);
}

void StatisticsWindow::exportCsv()
{
    QList<ArchiveRecord> records;
    if (selectedRecords(records))
        CsvExport::save(m_session, records);
}

void StatisticsWindow::reportError(const QString& error)
{
    m_session.prompts().message({MessageIcon::Critical, title(), error, MessageButtons::Ok});
}
