#include "reports/ui/ResultsWindow.h"

#include "document/ui/FieldBehaviour.h"
#include "platform/UserPrompts.h"
#include "platform/ui/PrintJob.h"
#include "platform/ui/PrinterChoice.h"
#include "reports/ResultsPrintout.h"
#include "session/Session.h"

#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace ResultsLogic;

namespace {

QString indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
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

QLineEdit* shownOnly(QWidget* parent, const QString& name, int characters)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(characters + 2, u'X')));
    return box;
}

QString printerText()
{
    return QStringLiteral("Stampa su: ") + PrinterChoice::instance().printerName();
}

} // namespace

ResultsWindow::ResultsWindow(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_path(filePath(session.systemsFolder(), session.document().SystemName))
    , m_points(framedLabel(this, QStringLiteral("lblPunti"), 40))
    , m_reduced(new QGroupBox(QStringLiteral("Sistema Ridotto"), this))
    , m_total(new QLabel(m_reduced))
{
    setObjectName(QStringLiteral("frmRISULTATI"));
    const SystemDocument& document = session.document();
    setWindowTitle(document.SystemName + QStringLiteral(" - Risultati Finali"));

    for (int field = 1; field <= FieldCount; ++field) {
        auto* box = new QLineEdit(this);
        box->setObjectName(indexed("txtPro", field));
        FieldBehaviour::selectOnEntry(box);
        FieldBehaviour::filterKeys(box, [field](QChar key) -> std::optional<QChar> {
            if (acceptsKey(field, key))
                return key;
            return std::nullopt;
        });
        m_boxes[field - 1] = box;
    }

    auto* contest = new QHBoxLayout;
    for (const int field : {Contest, MatchDate}) {
        contest->addWidget(new QLabel(caption(field), this));
        contest->addWidget(m_boxes[field - 1]);
    }
    contest->addStretch();

    auto* matches = new QGroupBox(QStringLiteral("Risultati"), this);
    auto* grid = new QGridLayout(matches);
    for (int match = 1; match <= Matches; ++match) {
        auto* number = new QLabel(QString::number(match), matches);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* home = framedLabel(matches, indexed("lblF", match), 130);
        auto* away = framedLabel(matches, indexed("lblC", match), 130);
        home->setText(document.homeTeam(match));
        away->setText(document.awayTeam(match));
        m_played[match - 1] = shownOnly(matches, indexed("txtMioPro", match), 3);
        m_played[match - 1]->setText(document.signsOf(match));
        QLineEdit* score = m_boxes[scoreField(match) - 1];
        score->setAlignment(Qt::AlignCenter);
        score->setFixedWidth(score->fontMetrics().horizontalAdvance(QStringLiteral("XXXXXXX")));
        score->installEventFilter(this);
        QLineEdit* sign = m_boxes[signField(match) - 1];
        sign->setReadOnly(true);
        sign->setFocusPolicy(Qt::NoFocus);
        sign->setAlignment(Qt::AlignCenter);
        sign->setFixedWidth(sign->fontMetrics().horizontalAdvance(QStringLiteral("XXX")));
        grid->addWidget(number, match - 1, 0);
        grid->addWidget(home, match - 1, 1);
        grid->addWidget(away, match - 1, 2);
        grid->addWidget(m_played[match - 1], match - 1, 3);
        grid->addWidget(score, match - 1, 4);
        grid->addWidget(sign, match - 1, 5);
    }

    auto* prizes = new QGroupBox(QStringLiteral("Vincite"), this);
    auto* prizeGrid = new QGridLayout(prizes);
    int row = 0;
    for (int field = PrizePool; field <= SecondPrize; ++field, ++row) {
        prizeGrid->addWidget(new QLabel(caption(field), prizes), row, 0);
        prizeGrid->addWidget(m_boxes[field - 1], row, 1);
        // The total won follows the prizes as they are typed.
        connect(m_boxes[field - 1], &QLineEdit::textChanged, this, &ResultsWindow::recount);
    }
    prizeGrid->addWidget(new QLabel(QStringLiteral("Punti"), prizes), row, 0);
    prizeGrid->addWidget(m_points, row, 1);
    m_points->setAlignment(Qt::AlignCenter);

    // What the columns played won, for a system that has them.
    auto* wonGrid = new QGridLayout(m_reduced);
    for (int k = 0; k < Winnings::Categories; ++k) {
        wonGrid->addWidget(
            new QLabel(QStringLiteral("Colonne con %1 punti").arg(13 - k), m_reduced), k, 0);
        m_categories[k] = framedLabel(m_reduced, indexed("lblCategoria", k + 1), 60);
        m_categories[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        wonGrid->addWidget(m_categories[k], k, 1);
    }
    m_total->setObjectName(QStringLiteral("lblVincita"));
    wonGrid->addWidget(m_total, Winnings::Categories, 0, 1, 2);

    auto* printer = new QLabel(printerText(), this);
    printer->setObjectName(QStringLiteral("lblStampante"));
    connect(&PrinterChoice::instance(), &PrinterChoice::changed, printer,
            [printer] { printer->setText(printerText()); });

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto* cancel = new QPushButton(QStringLiteral("&Annulla"), this);
    cancel->setObjectName(QStringLiteral("cmdAnnulla"));
    auto* printButton = new QPushButton(QStringLiteral("&Stampa"), this);
    printButton->setObjectName(QStringLiteral("cmdStampa"));
    for (QPushButton* button : {ok, cancel, printButton})
        button->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &ResultsWindow::confirm);
    connect(cancel, &QPushButton::clicked, this, &ResultsWindow::reject);
    connect(printButton, &QPushButton::clicked, this, &ResultsWindow::print);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* side = new QVBoxLayout;
    side->addWidget(prizes);
    side->addWidget(m_reduced);
    side->addStretch();
    side->addWidget(printer);
    auto* body = new QHBoxLayout;
    body->addWidget(matches);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(contest);
    layout->addLayout(body);
    layout->addLayout(buttons);

    // The results belong to the system they were opened for.
    connect(&session, &Session::documentReset, this, &ResultsWindow::reject);

    load();
    m_boxes[Contest - 1]->setFocus();
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::load()
{
    const SystemDocument& document = m_session.document();
    Fields fields = initial(document);
    if (QFileInfo::exists(m_path)) {
        const LegacyTextFile::ReadStatus status = read(m_path, fields);
        if (status != LegacyTextFile::ReadStatus::Ok)
            m_session.prompts().warn(
                m_session.messageTitle(),
                LegacyTextFile::refusalMessage(
                    status, m_path,
                    QStringLiteral("Il File %1 non contiene Risultati validi !")
                        .arg(QFileInfo(m_path).fileName())));
    }
    for (int field = 1; field <= FieldCount; ++field)
        m_boxes[field - 1]->setText(fields[field - 1]);
    m_reduced->setVisible(document.ReducedCount >= 1);
    for (int match = 1; match <= Matches; ++match)
        markSign(match);
    recount();
}

Fields ResultsWindow::fields() const
{
    Fields fields;
    for (int field = 1; field <= FieldCount; ++field)
        fields[field - 1] = m_boxes[field - 1]->text();
    return fields;
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        for (int match = 1; match <= Matches; ++match) {
            // Only a move within the window leaves the box; the window losing activation does
            // not.
            if (watched == m_boxes[scoreField(match) - 1] &&
                reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                scoreLeft(match);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ResultsWindow::scoreLeft(int match)
{
    const Score score = parseScore(m_boxes[scoreField(match) - 1]->text());
    m_boxes[scoreField(match) - 1]->setText(score.text);
    m_boxes[signField(match) - 1]->setText(score.sign);
    markSign(match);
    recount();
}

void ResultsWindow::takeSigns(const QByteArray& signs)
{
    for (int match = 1; match <= Matches && match <= signs.size(); ++match) {
        const char sign = signs.at(match - 1);
        if (sign == '1' || sign == 'X' || sign == '2') {
            m_boxes[signField(match) - 1]->setText(QString(QLatin1Char(sign)));
            markSign(match);
        }
    }
    recount();
}

void ResultsWindow::markSign(int match)
{
    QLineEdit* sign = m_boxes[signField(match) - 1];
    QPalette palette = sign->palette();
    palette.setColor(QPalette::Text, isCovered(sign->text(), m_played[match - 1]->text())
                                         ? QColor(Qt::black)
                                         : QColor(255, 0, 0));
    sign->setPalette(palette);
}

void ResultsWindow::recount()
{
    const Fields current = fields();
    const SystemDocument& document = m_session.document();
    m_points->setText(QString::number(points(current, document)));
    const std::optional<Winnings> won = winningsOf(current, document);
    if (!won)
        return;
    for (int k = 0; k < Winnings::Categories; ++k)
        m_categories[k]->setText(QString::number(won->counts[k]));
    m_total->setText(totalText(won->total));
}

void ResultsWindow::confirm()
{
    QString error;
    if (!write(m_path, fields(), &error)) {
        m_session.prompts().warn(m_session.messageTitle(), error);
        return;
    }
    accept();
}

void ResultsWindow::print()
{
    const Fields current = fields();
    PrintJob job(this, m_session.prompts(), m_session.progress());
    job.run({m_session.document().SystemName, QStringLiteral("Stampa in corso... Attendere !"), {}},
            [this, &current](PrintSurface& surface, ProgressReporter&) {
                ResultsPrintout::PrintResults(surface, m_session.document(), current);
            });
}
