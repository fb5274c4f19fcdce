#include "output/ui/OutcomesWindow.h"

#include "output/EvidencePrintout.h"
#include "platform/ui/PrintJob.h"
#include "session/Session.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

constexpr int Rows = 14; // 13 points down to 0

} // namespace

OutcomesWindow::OutcomesWindow(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_over(new QComboBox(this))
    , m_table(new QTableWidget(Rows, 3, this))
    , m_chart(new QChartView(this))
    , m_total(new QLabel(this))
    , m_chances(new QLabel(this))
{
    setObjectName(QStringLiteral("frmGARANZIE"));
    setWindowTitle(session.document().SystemName + QStringLiteral(" - Garanzie del Sistema"));
    m_over->setObjectName(QStringLiteral("cboVincenti"));
    m_over->addItems({QStringLiteral("Colonne del Sistema Integrale"),
                      QStringLiteral("Colonne che rispettano le Condizioni"),
                      QStringLiteral("Tutte le 1.594.323 Colonne")});
    m_table->setObjectName(QStringLiteral("grdGaranzie"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Punti"), QStringLiteral("Colonne Vincenti"), QStringLiteral("Perc. %")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_chart->setObjectName(QStringLiteral("chartGaranzie"));
    // Fourteen bars, each with its points written whole under it.
    m_chart->setMinimumSize(600, 340);
    m_total->setObjectName(QStringLiteral("lblTotale"));
    m_chances->setObjectName(QStringLiteral("lblProbabilita"));

    auto* print = new QPushButton(QStringLiteral("&Stampa"), this);
    print->setObjectName(QStringLiteral("cmdStampa"));
    auto* close = new QPushButton(QStringLiteral("&Chiudi"), this);
    close->setObjectName(QStringLiteral("cmdChiudi"));
    print->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, &OutcomesWindow::print);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* over = new QHBoxLayout;
    over->addWidget(new QLabel(QStringLiteral("Colonne vincenti possibili:"), this));
    over->addWidget(m_over, 1);
    auto* results = new QHBoxLayout;
    results->addWidget(m_table);
    results->addWidget(m_chart, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(over);
    layout->addLayout(results, 1);
    layout->addWidget(m_total);
    layout->addWidget(m_chances);
    layout->addLayout(buttons);

    connect(m_over, &QComboBox::currentIndexChanged, this, &OutcomesWindow::recount);
    recount();
}

OutcomesWindow::~OutcomesWindow() = default;

void OutcomesWindow::recount()
{
    static constexpr OutcomeTable::Over Choices[] = {
        OutcomeTable::Over::Integral, OutcomeTable::Over::Conditions, OutcomeTable::Over::All};
    const SystemDocument& document = m_session.document();
    const AdvancedConditions advanced = document.Advanced;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<quint8> errors;
    const OutcomeTable::Table table = OutcomeTable::forSystem(
        document, advanced, Choices[std::max(0, m_over->currentIndex())], &errors);
    m_lines = OutcomeTable::lines(table);
    QStringList chances;
    if (const auto weights = OutcomeTable::weightsOf(advanced))
        chances = OutcomeTable::chanceLines(OutcomeTable::chances(errors, *weights));
    QGuiApplication::restoreOverrideCursor();

    auto* counts = new QBarSet(QStringLiteral("Colonne Vincenti"));
    QStringList categories;
    const QLocale locale;
    for (int row = 0; row < Rows; ++row) {
        const int points = 13 - row;
        const qint64 count = table.byPoints[static_cast<std::size_t>(points)];
        // The figures in the user's own notation, as the counts beside them.
        const QString percent = OutcomeTable::percentText(count, table.total)
                                    .replace(QLatin1Char('.'), locale.decimalPoint());
        const QStringList cells = {QString::number(points), locale.toString(count), percent};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
        *counts << double(count);
        categories << QString::number(points);
    }
    // Every row and every figure in sight, without scrolling.
    m_table->resizeColumnsToContents();
    m_table->resizeRowsToContents();
    int width = 2 * m_table->frameWidth();
    for (int column = 0; column < m_table->columnCount(); ++column)
        width += m_table->columnWidth(column);
    int height = 2 * m_table->frameWidth() + m_table->horizontalHeader()->height();
    for (int row = 0; row < m_table->rowCount(); ++row)
        height += m_table->rowHeight(row);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setFixedWidth(width);
    m_table->setMinimumHeight(height);
    m_total->setText(QStringLiteral("Totale colonne vincenti: ") + locale.toString(table.total));
    m_chances->setText(chances.join(QLatin1Char('\n')));
    m_chances->setVisible(!chances.isEmpty());
    m_lines << chances;

    auto* chart = new QChart;
    auto* bars = new QBarSeries(chart);
    bars->append(counts);
    chart->addSeries(bars);
    auto* axis = new QBarCategoryAxis(chart);
    axis->append(categories);
    auto* values = new QValueAxis(chart);
    values->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(axis, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    bars->attachAxis(axis);
    bars->attachAxis(values);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    QChart* previous = m_chart->chart();
    m_chart->setChart(chart);
    delete previous;
}

void OutcomesWindow::print()
{
    PrintJob job(this, m_session.prompts(), m_session.progress());
    const QString heading = QStringLiteral("Garanzie del Sistema - ") + m_over->currentText();
    job.run({m_session.document().SystemName, QStringLiteral("Stampa in corso... Attendere !"), {}},
            [this, &heading](PrintSurface& surface, ProgressReporter& progress) {
                EvidencePrintout::PrintLines(surface, heading, m_session.document().SystemName,
                                             m_lines, progress);
            });
}
