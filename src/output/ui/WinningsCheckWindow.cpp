#include "output/ui/WinningsCheckWindow.h"

#include "document/PredictionLogic.h"
#include "document/ui/FieldBehaviour.h"
#include "platform/NumberFormat.h"
#include "platform/ProgressReporter.h"
#include "platform/ui/BarProgress.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

QString indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// The character a key enters in a box of the winning column: the signs as in the prediction,
// and '-' for a match without a valid result.
std::optional<QChar> winningKey(QChar typed)
{
    if (typed == QLatin1Char('-'))
        return typed;
    return PredictionLogic::signKey(typed);
}

QLabel* framedLabel(QWidget* parent, const QString& name, int minimumWidth)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(minimumWidth);
    return label;
}

// The mark beside a counted category.
QPixmap checkMark()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x1b, 0x8a, 0x2f), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
    return pixmap;
}

} // namespace

WinningsCheckWindow::WinningsCheckWindow(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_integral(session.TaskMode == QLatin1String("CInt"))
    , m_wait(new QProgressBar(this))
    , m_timeCaption(new QLabel(QStringLiteral("Tempo di Elaborazione:"), this))
    , m_time(framedLabel(this, QStringLiteral("lblTempo"), 90))
    , m_start(new QPushButton(QStringLiteral("&Spoglio"), this))
    , m_close(new QPushButton(QStringLiteral("&Chiudi"), this))
    , m_progress(std::make_unique<BarProgress>(m_wait, BarProgress::Ends::MaximumOnly))
{
    setObjectName(QStringLiteral("frmCONTROLLA"));
    const SystemDocument& document = session.document();
    setWindowTitle(document.SystemName + QStringLiteral(" - Spoglio Schedine"));

    auto* prediction = new QGroupBox(QStringLiteral("Pronostico"), this);
    auto* predictionGrid = new QGridLayout(prediction);
    auto* winning = new QGroupBox(QStringLiteral("Colonna Vincente"), this);
    auto* winningGrid = new QGridLayout(winning);
    for (int i = 1; i <= Matches; ++i) {
        auto* number = new QLabel(QString::number(i), prediction);
        number->setObjectName(indexed("lblN", i));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* home = framedLabel(prediction, indexed("lblCa", i), 130);
        auto* away = framedLabel(prediction, indexed("lblFc", i), 130);
        auto* played = framedLabel(prediction, indexed("lblPro", i), 40);
        played->setAlignment(Qt::AlignCenter);
        home->setText(document.homeTeam(i));
        away->setText(document.awayTeam(i));
        played->setText(document.signsOf(i));
        predictionGrid->addWidget(number, i - 1, 0);
        predictionGrid->addWidget(home, i - 1, 1);
        predictionGrid->addWidget(away, i - 1, 2);
        predictionGrid->addWidget(played, i - 1, 3);
        m_played[i - 1] = played;

        auto* entry = new QLineEdit(winning);
        entry->setObjectName(indexed("txtColVin", i));
        entry->setMaxLength(1);
        entry->setAlignment(Qt::AlignCenter);
        entry->setFixedWidth(entry->fontMetrics().horizontalAdvance(QStringLiteral("XXXX")));
        FieldBehaviour::selectOnEntry(entry);
        entry->installEventFilter(this);
        winningGrid->addWidget(entry, i - 1, 0);
        m_entries[i - 1] = entry;
    }

    auto* results = new QGroupBox(QStringLiteral("Risultati Vincite"), this);
    auto* resultsGrid = new QGridLayout(results);
    const QPixmap mark = checkMark();
    for (int k = 1; k <= WinningsCheck::Categories; ++k) {
        auto* tick = new QCheckBox(
            QStringLiteral("Vincite %1 Categoria").arg(WinningsCheck::romanNumeral(k)), results);
        tick->setObjectName(indexed("chkAb", k));
        // Every category is counted unless the user says otherwise: the full picture of a
        // contest is what a check is usually for, and one pass counts them all at once.
        tick->setChecked(true);
        auto* counter = framedLabel(results, indexed("lblV", k), 90);
        counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* counted = new QLabel(results);
        counted->setObjectName(indexed("AB", k));
        counted->setPixmap(mark);
        counted->setFixedSize(mark.size());
        // Hidden marks keep their place, so the rows do not move when they appear.
        QSizePolicy keepPlace = counted->sizePolicy();
        keepPlace.setRetainSizeWhenHidden(true);
        counted->setSizePolicy(keepPlace);
        counted->hide();
        resultsGrid->addWidget(tick, k - 1, 0);
        resultsGrid->addWidget(counter, k - 1, 1);
        resultsGrid->addWidget(counted, k - 1, 2);
        m_ticks[k - 1] = tick;
        m_counts[k - 1] = counter;
        m_marks[k - 1] = counted;
    }

    m_wait->setObjectName(QStringLiteral("BarraWait"));
    m_wait->setTextVisible(false);
    m_wait->setMaximumHeight(12);
    QSizePolicy keepPlace = m_wait->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_wait->setSizePolicy(keepPlace);
    m_wait->hide();
    m_timeCaption->setObjectName(QStringLiteral("lblDescr"));
    m_timeCaption->hide();
    m_time->setAlignment(Qt::AlignCenter);
    m_time->clear();

    m_start->setObjectName(QStringLiteral("cmdAvvia"));
    m_close->setObjectName(QStringLiteral("cmdEsci"));
    m_start->setEnabled(false);
    // Enter after the last sign starts the count, as a click would: the focus is on Spoglio then.
    m_start->setDefault(true);
    m_close->setAutoDefault(false);
    connect(m_start, &QPushButton::clicked, this, &WinningsCheckWindow::count);
    connect(m_close, &QPushButton::clicked, this, &WinningsCheckWindow::reject);

    auto* time = new QHBoxLayout;
    time->addWidget(m_timeCaption);
    time->addWidget(m_time);
    time->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_start);
    buttons->addWidget(m_close);
    auto* side = new QVBoxLayout;
    side->addWidget(results);
    side->addWidget(m_wait);
    side->addLayout(time);
    side->addStretch();
    side->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(prediction);
    layout->addWidget(winning);
    layout->addLayout(side);

    // The boxes first, then the categories and the buttons, whatever order they were made in.
    QWidget* previous = m_entries[0];
    const auto follow = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int i = 1; i < Matches; ++i)
        follow(m_entries[i]);
    for (QCheckBox* tick : m_ticks)
        follow(tick);
    follow(m_start);
    follow(m_close);

    m_entries[0]->setFocus();
}

WinningsCheckWindow::~WinningsCheckWindow() = default;

int WinningsCheckWindow::entryIndex(const QObject* watched) const
{
    for (int i = 0; i < Matches; ++i) {
        if (m_entries[i] == watched)
            return i;
    }
    return -1;
}

bool WinningsCheckWindow::eventFilter(QObject* watched, QEvent* event)
{
    const int index = entryIndex(watched);
    if (index < 0)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        return entryKey(m_entries[index], static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusOut) {
        // Only a move to another control of this window leaves the box; the window losing
        // activation or a popup does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            entryLeft(index);
    }
    return QDialog::eventFilter(watched, event);
}

bool WinningsCheckWindow::entryKey(QLineEdit* entry, const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString typed = key->text();
    // Backspace, Tab and the other editing and moving keys work as usual.
    if (typed.size() != 1 || !typed.front().isPrint())
        return false;
    const std::optional<QChar> sign = winningKey(typed.front());
    if (sign) {
        // A box holds one entry: a taken key replaces it, then the next box is entered, as the
        // Tab key would.
        entry->selectAll();
        entry->insert(QString(*sign));
        focusNextChild();
    }
    return true;
}

void WinningsCheckWindow::entryLeft(int index)
{
    markMatch(index);
    if (index != Matches - 1)
        return;
    for (QLineEdit* entry : m_entries) {
        if (entry->text().isEmpty()) {
            entry->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    // Once the column is complete the count stays available, even if a box is emptied later;
    // an empty entry then counts for no column.
    m_start->setEnabled(true);
    m_start->setFocus(Qt::OtherFocusReason);
}

void WinningsCheckWindow::markMatch(int index)
{
    QLabel* played = m_played[index];
    const bool missed = !WinningsCheck::isPlayed(m_entries[index]->text(), played->text());
    QFont font = played->font();
    font.setBold(missed);
    played->setFont(font);
    QPalette palette = played->palette();
    palette.setColor(QPalette::WindowText, missed ? QColor(Qt::red) : QColor(Qt::black));
    played->setPalette(palette);
}

void WinningsCheckWindow::count()
{
    m_start->setEnabled(false);
    m_close->setEnabled(false);
    m_time->clear();
    m_timeCaption->hide();
    m_wait->show();
    m_wait->repaint();
    QElapsedTimer elapsed;
    elapsed.start();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto pointer = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });

    WinningsCheck::Ticked ticked{};
    for (int k = 0; k < WinningsCheck::Categories; ++k) {
        m_marks[k]->hide();
        m_counts[k]->clear();
        ticked[k] = m_ticks[k]->isChecked();
    }
    // An emptied box keeps its match's place in the column and equals no sign.
    QByteArray winning;
    for (const QLineEdit* entry : m_entries)
        winning.append(entry->text().isEmpty() ? ' ' : entry->text().front().toLatin1());

    const SystemDocument& document = m_session.document();
    const ColumnBuffer& columns = m_integral ? document.IntegralColumns : document.WorkColumns;
    const WinningsCheck::Counts counts =
        WinningsCheck::count(columns, winning, ticked, m_progress.get());
    // All categories were counted in one pass; they still appear one after the other, from the
    // first down.
    for (int k = 0; k < WinningsCheck::Categories; ++k) {
        if (!counts[k])
            continue;
        m_counts[k]->setText(QString::number(*counts[k]));
        m_counts[k]->repaint();
        m_marks[k]->show();
    }

    const double seconds = NumberFormat::roundHalfEven(double(elapsed.elapsed()) / 1000.0);
    m_time->setText(NumberFormat::FormatElapsed(qint64(seconds)));
    m_timeCaption->show();
    m_wait->hide();
    m_start->setEnabled(true);
    m_close->setEnabled(true);
    m_entries[0]->setFocus(Qt::OtherFocusReason);
}
