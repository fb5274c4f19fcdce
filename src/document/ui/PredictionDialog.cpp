#include "document/ui/PredictionDialog.h"

#include "document/ui/FieldBehaviour.h"
#include "platform/BackgroundWork.h"
#include "platform/NumberFormat.h"
#include "platform/UserPrompts.h"
#include "platform/ui/WaitWindow.h"
#include "session/Session.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

QString indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(110);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

PredictionDialog::PredictionDialog(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_fixed(valueLabel(this, "lblFISSE"))
    , m_doubles(valueLabel(this, "lblDOPPIE"))
    , m_triples(valueLabel(this, "lblTRIPLE"))
    , m_integral(valueLabel(this, "lblINTEGRALE"))
    , m_euro(valueLabel(this, "lblEURO"))
    , m_lire(valueLabel(this, "lblLIRE"))
    , m_timeCaption(new QLabel(QStringLiteral("Tempo di Elaborazione"), this))
    , m_time(valueLabel(this, "lblTempo"))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_close(new QPushButton(QStringLiteral("&Chiudi"), this))
{
    setObjectName(QStringLiteral("frmPRONOSTICO"));
    setModal(false);

    auto* matches = new QGridLayout;
    matches->addWidget(new QLabel(QStringLiteral("Squadra Casa"), this), 0, 1);
    matches->addWidget(new QLabel(QStringLiteral("Squadra Ospite"), this), 0, 2);
    matches->addWidget(new QLabel(QStringLiteral("Pronostico"), this), 0, 3);
    const auto signPattern = QRegularExpression(QStringLiteral("[12X]{0,3}"));
    for (int i = 1; i <= PredictionLogic::Matches; ++i) {
        auto* home = new QLabel(this);
        auto* away = new QLabel(this);
        auto* signs = new QLineEdit(this);
        home->setObjectName(indexed("lblF", i));
        away->setObjectName(indexed("lblC", i));
        signs->setObjectName(indexed("txtPro", i));
        for (QLabel* team : {home, away}) {
            team->setFrameShape(QFrame::Panel);
            team->setFrameShadow(QFrame::Sunken);
            team->setMinimumWidth(140);
        }
        signs->setMaxLength(PredictionLogic::FieldLength);
        signs->setFixedWidth(signs->fontMetrics().horizontalAdvance(QStringLiteral("XXXXXX")));
        // The key filter covers typing; the validator keeps pasted text to signs as well.
        signs->setValidator(new QRegularExpressionValidator(signPattern, signs));
        FieldBehaviour::filterKeys(signs, &PredictionLogic::signKey);
        FieldBehaviour::selectOnEntry(signs);
        signs->installEventFilter(this);
        connect(signs, &QLineEdit::textEdited, this, &PredictionDialog::recount);

        matches->addWidget(new QLabel(QString::number(i), this), i, 0);
        matches->addWidget(home, i, 1);
        matches->addWidget(away, i, 2);
        matches->addWidget(signs, i, 3);
        m_home[i - 1] = home;
        m_away[i - 1] = away;
        m_signs[i - 1] = signs;
    }

    auto* kinds = new QGridLayout;
    kinds->addWidget(new QLabel(QStringLiteral("Fisse"), this), 0, 0);
    kinds->addWidget(m_fixed, 0, 1);
    kinds->addWidget(new QLabel(QStringLiteral("Doppie"), this), 1, 0);
    kinds->addWidget(m_doubles, 1, 1);
    kinds->addWidget(new QLabel(QStringLiteral("Triple"), this), 2, 0);
    kinds->addWidget(m_triples, 2, 1);
    kinds->addWidget(new QLabel(QStringLiteral("Colonne Integrale"), this), 3, 0);
    kinds->addWidget(m_integral, 3, 1);
    auto* cost = new QGroupBox(QStringLiteral("Costo Sistema Integrale"), this);
    auto* costLayout = new QVBoxLayout(cost);
    costLayout->addWidget(m_euro);
    costLayout->addWidget(m_lire);
    m_timeCaption->setObjectName(QStringLiteral("lblDescr"));

    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_close->setObjectName(QStringLiteral("cmdAnnulla"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &PredictionDialog::confirm);
    connect(m_close, &QPushButton::clicked, this, &PredictionDialog::closeWithSummary);

    auto* side = new QVBoxLayout;
    side->addLayout(kinds);
    side->addWidget(cost);
    side->addWidget(m_timeCaption);
    side->addWidget(m_time);
    side->addStretch();
    side->addWidget(m_ok);
    side->addWidget(m_close);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(matches);
    layout->addLayout(side);

    // The buttons were made first; the signs come first for the keyboard, as on the screen.
    QWidget::setTabOrder(m_signs.back(), m_ok);
    QWidget::setTabOrder(m_ok, m_close);
    load();
}

void PredictionDialog::load()
{
    const SystemDocument& document = m_session.document();
    setWindowTitle(document.SystemName + QStringLiteral(" - Pronostico"));
    for (int i = 1; i <= PredictionLogic::Matches; ++i) {
        m_home[i - 1]->setText(QLatin1Char(' ') + document.homeTeam(i));
        m_away[i - 1]->setText(QLatin1Char(' ') + document.awayTeam(i));
        m_signs[i - 1]->setText(document.signsOf(i));
    }
    if (document.IntegralCount > 0) {
        showCounts(
            {document.NumFisse, document.NumDoppie, document.NumTriple, document.IntegralCount});
    } else {
        for (QLabel* label : {m_fixed, m_doubles, m_triples, m_integral, m_euro, m_lire})
            label->clear();
    }
    m_timeCaption->hide();
    m_time->hide();
    m_time->clear();
    m_signs.front()->setFocus(Qt::OtherFocusReason);
}

PredictionLogic::Fields PredictionDialog::fields() const
{
    PredictionLogic::Fields texts;
    for (int i = 0; i < PredictionLogic::Matches; ++i)
        texts[i] = m_signs[i]->text();
    return texts;
}

void PredictionDialog::showCounts(const PredictionLogic::Recount& counts)
{
    const PredictionLogic::LabelTexts texts =
        PredictionLogic::labelTexts(counts, m_session.options().columnCost());
    m_fixed->setText(texts.fixed);
    m_doubles->setText(texts.doubles);
    m_triples->setText(texts.triples);
    m_integral->setText(texts.integral);
    m_euro->setText(texts.euro);
    m_lire->setText(texts.lire);
}

void PredictionDialog::recount()
{
    showCounts(PredictionLogic::recount(fields()));
}

bool PredictionDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        for (QLineEdit* signs : m_signs) {
            if (watched == signs) {
                recount();
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PredictionDialog::confirm()
{
    const PredictionLogic::Fields typed = fields();
    if (const std::optional<QString> error = PredictionLogic::validationError(typed)) {
        m_session.prompts().warn(m_session.messageTitle(), *error);
        return;
    }
    if (!PredictionLogic::isChanged(typed, m_session.document())) {
        closeWithSummary();
        return;
    }

    QElapsedTimer elapsed;
    elapsed.start();
    m_timeCaption->hide();
    m_time->hide();
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto pointer = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        m_session.TaskMode = QStringLiteral("TEMP");
        WaitWindow wait(m_session.messageTitle(), m_session.TaskMode, this);
        wait.showOver(parentWidget() ? parentWidget() : this);
        // Enumerated on a worker thread, so that the windows keep painting meanwhile.
        BackgroundWork work;
        ForwardedProgress progress(work, m_session.progress());
        SystemDocument& document = m_session.document();
        const auto toWait = [&work, &wait](void (WaitWindow::*line)(const QString&)) {
            return [&work, &wait, line](const QString& text) {
                work.toGui([&wait, line, text] { (wait.*line)(text); });
            };
        };
        work.run([&] {
            PredictionLogic::confirm(
                document, typed, progress,
                {toWait(&WaitWindow::setMessage), toWait(&WaitWindow::setProgressText)});
        });
        wait.close();
    }
    m_session.predictionConfirmed();

    const double seconds = NumberFormat::roundHalfEven(double(elapsed.elapsed()) / 1000.0);
    m_time->setText(NumberFormat::FormatElapsed(qint64(seconds)));
    m_timeCaption->show();
    m_time->show();
}

void PredictionDialog::closeWithSummary()
{
    emit conditionsSummaryRequested();
    reject();
}

void PredictionDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        closeWithSummary();
        return;
    }
    QDialog::keyPressEvent(event);
}
