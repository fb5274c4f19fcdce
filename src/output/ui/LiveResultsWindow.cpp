#include "output/ui/LiveResultsWindow.h"

#include "output/EvidencePrintout.h"
#include "output/OutcomeTable.h"
#include "platform/ui/PrintJob.h"
#include "session/Session.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

LiveResultsWindow::LiveResultsWindow(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_points(new QLabel(this))
    , m_topCaption(new QLabel(this))
    , m_top(new QListWidget(this))
{
    const SystemDocument& document = session.document();
    setObjectName(QStringLiteral("frmDIRETTA"));
    setWindowTitle(document.SystemName + QStringLiteral(" - Risultati in Diretta"));

    auto* matches = new QGridLayout;
    matches->addWidget(new QLabel(QStringLiteral("Incontri"), this), 0, 1, 1, 2);
    matches->addWidget(new QLabel(QStringLiteral("Pron."), this), 0, 3);
    matches->addWidget(new QLabel(QStringLiteral("Ris."), this), 0, 4);
    for (int i = 0; i < Matches; ++i) {
        const int match = i + 1;
        matches->addWidget(new QLabel(QString::number(match), this), match, 0);
        matches->addWidget(new QLabel(document.homeTeam(match).trimmed(), this), match, 1);
        matches->addWidget(new QLabel(document.awayTeam(match).trimmed(), this), match, 2);
        matches->addWidget(new QLabel(document.signsOf(match), this), match, 3);
        auto* entry = new QLineEdit(this);
        entry->setObjectName(QStringLiteral("txtRis(%1)").arg(match));
        entry->setMaxLength(1);
        entry->setFixedWidth(28);
        entry->setAlignment(Qt::AlignCenter);
        entry->installEventFilter(this);
        connect(entry, &QLineEdit::textChanged, this, &LiveResultsWindow::refresh);
        matches->addWidget(entry, match, 4);
        m_entries[i] = entry;
    }

    m_points->setObjectName(QStringLiteral("lblPunti"));
    auto* standing = new QGridLayout;
    standing->addWidget(m_points, 0, 0, 1, 3);
    standing->addWidget(new QLabel(QStringLiteral("Punti"), this), 1, 0);
    standing->addWidget(new QLabel(QStringLiteral("Sicure"), this), 1, 1);
    standing->addWidget(new QLabel(QStringLiteral("Ancora possibili"), this), 1, 2);
    for (int k = 0; k < 4; ++k) {
        const int points = 13 - k;
        m_sure[k] = new QLabel(this);
        m_sure[k]->setObjectName(QStringLiteral("lblSicure(%1)").arg(points));
        m_possible[k] = new QLabel(this);
        m_possible[k]->setObjectName(QStringLiteral("lblPossibili(%1)").arg(points));
        standing->addWidget(new QLabel(QString::number(points), this), k + 2, 0);
        standing->addWidget(m_sure[k], k + 2, 1);
        standing->addWidget(m_possible[k], k + 2, 2);
    }
    m_topCaption->setObjectName(QStringLiteral("lblColonne13"));
    m_top->setObjectName(QStringLiteral("lstColonne13"));
    m_top->setFont(QFont(QStringLiteral("Monospace")));
    auto* right = new QVBoxLayout;
    right->addLayout(standing);
    right->addWidget(m_topCaption);
    right->addWidget(m_top, 1);

    auto* carry = new QPushButton(QStringLiteral("Riporta nei Risultati &Finali"), this);
    carry->setObjectName(QStringLiteral("cmdRisultati"));
    auto* print = new QPushButton(QStringLiteral("&Stampa"), this);
    print->setObjectName(QStringLiteral("cmdStampa"));
    auto* close = new QPushButton(QStringLiteral("&Chiudi"), this);
    close->setObjectName(QStringLiteral("cmdChiudi"));
    for (QPushButton* button : {carry, print, close})
        button->setAutoDefault(false);
    connect(carry, &QPushButton::clicked, this, [this] {
        emit carryToResults(results());
        accept();
    });
    connect(print, &QPushButton::clicked, this, &LiveResultsWindow::print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(carry);
    buttons->addWidget(print);
    buttons->addWidget(close);

    auto* columns = new QHBoxLayout;
    columns->addLayout(matches);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
    refresh();
    m_entries[0]->setFocus();
}

LiveResultsWindow::~LiveResultsWindow() = default;

QByteArray LiveResultsWindow::results() const
{
    QByteArray typed(Matches, '-');
    for (int i = 0; i < Matches; ++i) {
        const QString text = m_entries[i]->text();
        if (!text.isEmpty())
            typed[i] = text.at(0).toLatin1();
    }
    return typed;
}

bool LiveResultsWindow::eventFilter(QObject* watched, QEvent* event)
{
    const auto at = std::find(m_entries.begin(), m_entries.end(), watched);
    if (at == m_entries.end() || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    QLineEdit* entry = *at;
    const QString text = key->text().toUpper();
    // "1", "X" (also "3"), "2" take the match and move on; "-" or Space empty it again.
    if (text == QLatin1String("1") || text == QLatin1String("X") || text == QLatin1String("2") ||
        text == QLatin1String("3")) {
        entry->setText(text == QLatin1String("3") ? QStringLiteral("X") : text);
        if (at + 1 != m_entries.end())
            (*(at + 1))->setFocus();
        return true;
    }
    if (text == QLatin1String("-") || text == QLatin1String(" ")) {
        entry->clear();
        return true;
    }
    const bool passed = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
                        key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                        key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                        key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return ||
                        key->key() == Qt::Key_Enter || text.isEmpty();
    return !passed;
}

void LiveResultsWindow::refresh()
{
    const ColumnBuffer& played = OutcomeTable::playedColumns(m_session.document());
    const QByteArray typed = results();
    m_standing = LiveResults::evaluate(played, typed, Listed);
    m_points->setText(QStringLiteral("Punti: %1 (%2 partite su 13)")
                          .arg(m_standing.best)
                          .arg(m_standing.decided));
    const QLocale locale;
    for (int k = 0; k < 4; ++k) {
        m_sure[k]->setText(locale.toString(m_standing.sure[static_cast<std::size_t>(13 - k)]));
        m_possible[k]->setText(
            locale.toString(m_standing.possible[static_cast<std::size_t>(13 - k)]));
    }
    const qint64 able = m_standing.possible[13];
    m_topCaption->setText(able == 0 ? QStringLiteral("Nessuna colonna può ancora fare 13")
                                    : QStringLiteral("Colonne che possono ancora fare 13: ") +
                                          locale.toString(able));
    m_top->clear();
    QStringList listed;
    for (const qsizetype index : m_standing.stillAbleToWin)
        listed << QStringLiteral("%1  %2")
                      .arg(index + 1, 7)
                      .arg(QString::fromLatin1(played.column(index)));
    if (able > m_standing.stillAbleToWin.size())
        listed << QStringLiteral("... e altre %1")
                      .arg(locale.toString(able - m_standing.stillAbleToWin.size()));
    m_top->addItems(listed);
}

void LiveResultsWindow::print()
{
    QStringList lines;
    lines << QStringLiteral("Risultati  ") + QString::fromLatin1(results());
    lines << QStringLiteral("Punti %1").arg(m_standing.best);
    lines << QStringLiteral("Punti  Sicure  Ancora possibili");
    for (int points = 13; points >= 10; --points)
        lines << QStringLiteral("%1  %2  %3")
                     .arg(points, 5)
                     .arg(m_standing.sure[static_cast<std::size_t>(points)], 6)
                     .arg(m_standing.possible[static_cast<std::size_t>(points)], 16);
    lines << QString();
    for (int row = 0; row < m_top->count(); ++row)
        lines << m_top->item(row)->text();
    PrintJob job(this, m_session.prompts(), m_session.progress());
    job.run({m_session.document().SystemName, QStringLiteral("Stampa in corso... Attendere !"), {}},
            [this, &lines](PrintSurface& surface, ProgressReporter& progress) {
                EvidencePrintout::PrintLines(surface, QStringLiteral("Risultati in Diretta"),
                                             m_session.document().SystemName, lines, progress);
            });
}
