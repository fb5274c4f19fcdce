#include "output/ui/SlipsWindow.h"

#include "conditions/ui/BoxLeaveGuard.h"
#include "document/ui/FieldBehaviour.h"
#include "output/SlipLayout.h"
#include "output/ui/SlipPicture.h"
#include "platform/ColumnDatabase.h"
#include "platform/NumberFormat.h"
#include "platform/PrintError.h"
#include "platform/PrintSurface.h"
#include "platform/UserPrompts.h"
#include "platform/ui/PrintJob.h"
#include "platform/ui/PrinterChoice.h"
#include "session/Session.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(QLatin1String(name));
    result->setAutoDefault(false);
    return result;
}

QLabel* label(QWidget* parent, const char* name, const QString& text = {})
{
    auto* result = new QLabel(text, parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

QScrollBar* offsetBar(QWidget* parent, const char* name)
{
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(-SlipsLogic::OffsetTenths, SlipsLogic::OffsetTenths);
    bar->setSingleStep(1);
    bar->setPageStep(10);
    bar->setMinimumHeight(90);
    return bar;
}

// Only the printer's own failure is reported; any other error just ends the run.
QString failureText(const PrintError& error)
{
    if (error.number != PrintError::PrinterFailure)
        return {};
    return QStringLiteral("Stampa fallita ! (") + QString::number(error.number) + QLatin1Char(')');
}

} // namespace

SlipsWindow::SlipsWindow(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_logic(0, SlipCalibration::read(session.appFilePath(SlipCalibration::fileName())))
{
    setObjectName(QStringLiteral("frmSCHEDINE"));
    const SystemDocument& document = session.document();
    setWindowTitle(document.SystemName + QStringLiteral(" - Stampa Schedine"));

    // While a merged system exists its rows are printed, a double with two dots.
    QString error;
    if (document.MergedCount >= 1 &&
        ColumnDatabase::readMergedRows(session.appFolder(), m_merged, &error) &&
        !m_merged.isEmpty())
        m_source = std::make_unique<SlipLayout::SlipSource>(m_merged);
    else
        m_source =
            std::make_unique<SlipLayout::SlipSource>(document.WorkColumns, document.ReducedCount);
    const SlipCalibration calibration =
        SlipCalibration::read(session.appFilePath(SlipCalibration::fileName()));
    m_logic = SlipsLogic(SlipLayout::slipCount(m_source->count()), calibration);

    auto* printerFrame =
        new QGroupBox(QStringLiteral("Stampante Predefinita e Orientamento"), this);
    auto* printerName =
        label(printerFrame, "lblStampante", PrinterChoice::instance().printerName());
    connect(&PrinterChoice::instance(), &PrinterChoice::changed, printerName, &QLabel::setText);
    auto* image = label(printerFrame, "Image1");
    image->setPixmap(QIcon::fromTheme(QStringLiteral("document-print"),
                                      style()->standardIcon(QStyle::SP_FileIcon))
                         .pixmap(32, 32));
    auto* printerLayout = new QHBoxLayout(printerFrame);
    printerLayout->addWidget(image);
    printerLayout->addWidget(printerName, 1);

    auto* totalFrame = new QGroupBox(QStringLiteral("Schedine da Stampare"), this);
    m_total = label(totalFrame, "lblTotSched", QString::number(m_logic.slipCount()));
    (new QHBoxLayout(totalFrame))->addWidget(m_total);

    auto* rangeFrame = new QGroupBox(QStringLiteral("Intervallo Schedine"), this);
    m_from = new QLineEdit(rangeFrame);
    m_to = new QLineEdit(rangeFrame);
    m_from->setObjectName(QStringLiteral("txtDA"));
    m_to->setObjectName(QStringLiteral("txtA"));
    auto* rangeLayout = new QHBoxLayout(rangeFrame);
    rangeLayout->addWidget(new QLabel(QStringLiteral("Dalla nr."), rangeFrame));
    rangeLayout->addWidget(m_from);
    rangeLayout->addWidget(new QLabel(QStringLiteral("alla nr."), rangeFrame));
    rangeLayout->addWidget(m_to);

    auto* testFrame = new QGroupBox(QStringLiteral("Test"), this);
    m_vertical = offsetBar(testFrame, "vscAlto");
    m_horizontal = offsetBar(testFrame, "vscSini");
    m_verticalText = label(testFrame, "lblVert");
    m_horizontalText = label(testFrame, "lblOriz");
    m_dot = new QLineEdit(testFrame);
    m_dot->setObjectName(QStringLiteral("txtDIA"));
    m_dot->setMaximumWidth(60);
    auto* test = button(testFrame, "cmdTest", QStringLiteral("&Test"));
    auto* advanced = button(testFrame, "cmdTestAV", QStringLiteral("Test &Avanzato"));
    auto* save = button(testFrame, "cmdOK", QStringLiteral("&Memorizza"));
    auto* testLayout = new QGridLayout(testFrame);
    testLayout->addWidget(label(testFrame, "Label1", QStringLiteral("Verticale")), 0, 0, 1, 2);
    testLayout->addWidget(new QLabel(QStringLiteral("Orizzontale"), testFrame), 0, 2, 1, 2);
    testLayout->addWidget(m_vertical, 1, 0);
    testLayout->addWidget(m_verticalText, 1, 1);
    testLayout->addWidget(m_horizontal, 1, 2);
    testLayout->addWidget(m_horizontalText, 1, 3);
    auto* dotLayout = new QHBoxLayout;
    dotLayout->addWidget(label(testFrame, "Label2", QStringLiteral("Diametro Punto di Stampa")));
    dotLayout->addWidget(m_dot);
    dotLayout->addWidget(new QLabel(QStringLiteral("mm"), testFrame));
    dotLayout->addStretch();
    testLayout->addLayout(dotLayout, 2, 0, 1, 4);
    auto* testButtons = new QHBoxLayout;
    for (QPushButton* b : {test, advanced, save})
        testButtons->addWidget(b);
    testLayout->addLayout(testButtons, 3, 0, 1, 4);

    auto* printFrame = new QGroupBox(QStringLiteral("Stampa Schedine"), this);
    auto* print = button(printFrame, "cmdStampa", QStringLiteral("&Stampa Schedine"));
    (new QHBoxLayout(printFrame))->addWidget(print);
    m_close = button(this, "cmdEsci", QStringLiteral("&Chiudi"));

    m_picture = new SlipPicture(
        [this](PrintSurface& surface, const SlipCalibration& shown) {
            const qsizetype first =
                m_logic.firstAllowed(m_from->text()) ? m_from->text().toLongLong() : 1;
            ProgressReporter silent;
            SlipLayout::printSlips(surface, shown, *m_source, first, first, 0, silent);
        },
        this);

    auto* left = new QVBoxLayout;
    left->addWidget(printerFrame);
    left->addWidget(totalFrame);
    left->addWidget(rangeFrame);
    left->addWidget(printFrame);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(testFrame);
    right->addWidget(m_picture);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(closeRow);

    const auto digits = FieldBehaviour::accepting([](QChar c) { return c.isDigit(); });
    for (QLineEdit* box : {m_from, m_to}) {
        FieldBehaviour::filterKeys(box, digits);
        FieldBehaviour::selectOnEntry(box);
    }
    FieldBehaviour::filterKeys(
        m_dot, FieldBehaviour::accepting([](QChar c) { return c.isDigit() || c == u','; }));
    FieldBehaviour::selectOnEntry(m_dot);
    m_guard = new BoxLeaveGuard(
        m_close, [this](QLineEdit* box) { return checkBox(box); }, this);
    m_guard->watch(m_to);
    m_guard->watch(m_dot);

    connect(m_from, &QLineEdit::textChanged, this, &SlipsWindow::firstChanged);
    connect(m_to, &QLineEdit::textChanged, this,
            [this] { m_total->setText(m_logic.rangeText(m_from->text(), m_to->text())); });
    connect(m_vertical, &QScrollBar::valueChanged, this, &SlipsWindow::offsetChanged);
    connect(m_horizontal, &QScrollBar::valueChanged, this, &SlipsWindow::offsetChanged);
    connect(m_dot, &QLineEdit::textChanged, this, &SlipsWindow::refreshPicture);
    connect(test, &QPushButton::clicked, this, [this] { printTest(false); });
    connect(advanced, &QPushButton::clicked, this, [this] { printTest(true); });
    connect(save, &QPushButton::clicked, this, &SlipsWindow::save);
    connect(print, &QPushButton::clicked, this, &SlipsWindow::printSlips);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    m_from->setText(QStringLiteral("1"));
    m_to->setText(QString::number(m_logic.slipCount()));
    {
        const QSignalBlocker blockVertical(m_vertical), blockHorizontal(m_horizontal);
        m_vertical->setValue(m_logic.verticalTenths());
        m_horizontal->setValue(m_logic.horizontalTenths());
    }
    m_dot->setText(SlipsLogic::dotText(calibration.dot));
    offsetChanged();
    m_from->setFocus();
}

SlipsWindow::~SlipsWindow()
{
    m_guard->stop();
}

void SlipsWindow::offsetChanged()
{
    m_logic.setVerticalTenths(m_vertical->value());
    m_logic.setHorizontalTenths(m_horizontal->value());
    m_verticalText->setText(SlipsLogic::offsetText(m_vertical->value()));
    m_horizontalText->setText(SlipsLogic::offsetText(m_horizontal->value()));
    refreshPicture();
}

void SlipsWindow::refreshPicture()
{
    const auto dot = SlipsLogic::dotOf(m_dot->text());
    if (dot && SlipsLogic::dotRefusal(m_dot->text()).isEmpty())
        m_picture->setCalibration(m_logic.calibration(*dot));
}

void SlipsWindow::refuse(QLineEdit* box, const QString& message)
{
    m_session.prompts().warn(m_session.messageTitle(), message);
    m_guard->focusBox(box);
}

void SlipsWindow::firstChanged()
{
    if (!m_logic.firstAllowed(m_from->text())) {
        refuse(m_from, SlipsLogic::NotAllowed);
        return;
    }
    m_total->setText(m_logic.rangeText(m_from->text(), m_to->text()));
    refreshPicture();
}

bool SlipsWindow::checkBox(QLineEdit* box)
{
    if (box == m_to && !m_logic.rangeAllowed(m_from->text(), m_to->text())) {
        refuse(m_to, SlipsLogic::NotAllowed);
        return false;
    }
    if (box == m_dot) {
        const QString refusal = SlipsLogic::dotRefusal(m_dot->text());
        if (!refusal.isEmpty()) {
            refuse(m_dot, refusal);
            return false;
        }
    }
    return true;
}

std::optional<double> SlipsWindow::acceptedDot()
{
    if (!checkBox(m_dot))
        return std::nullopt;
    return SlipsLogic::dotOf(m_dot->text());
}

void SlipsWindow::save()
{
    const auto dot = acceptedDot();
    if (!dot)
        return;
    QString error;
    const QString path = m_session.appFilePath(SlipCalibration::fileName());
    // The printer it was made on goes beside it, so slips sent elsewhere can be questioned.
    const QString printerPath = m_session.appFilePath(SlipCalibration::printerFileName());
    if (!m_logic.calibration(*dot).write(path, &error) ||
        !SlipCalibration::writePrinter(printerPath, PrinterChoice::instance().printerName(),
                                       &error))
        m_session.prompts().warn(
            m_session.messageTitle(),
            QStringLiteral("Impossibile scrivere il File '%1' ! (%2)").arg(path, error));
}

void SlipsWindow::printTest(bool advanced)
{
    const auto dot = acceptedDot();
    if (!dot)
        return;
    const SlipCalibration calibration = m_logic.calibration(*dot);
    PrintJob job(this, m_session.prompts(), m_session.progress());
    job.run({m_session.document().SystemName,
             QStringLiteral("Stampa in corso... Attendere !"),
             {},
             true,
             PrintJob::jobNamed(QStringLiteral("Test Punti di Stampa")),
             {}},
            [advanced, calibration](PrintSurface& surface, ProgressReporter&) {
                SlipLayout::prepare(surface);
                if (advanced)
                    SlipLayout::printAdvancedTest(surface, calibration);
                else
                    SlipLayout::printTest(surface, calibration);
            });
}

bool SlipsWindow::calibratedFor(const QString& printer)
{
    const QString calibrated =
        SlipCalibration::readPrinter(m_session.appFilePath(SlipCalibration::printerFileName()));
    if (calibrated.isEmpty() || calibrated == printer)
        return true;
    return m_session.prompts().ask(
               MessageIcon::Exclamation, m_session.messageTitle(),
               QStringLiteral("La calibrazione è stata memorizzata con la stampante %1: "
                              "su %2 i punti possono cadere fuori dalle caselle.\n"
                              "Stampare comunque le schedine ?")
                   .arg(calibrated, printer),
               MessageButtons::YesNo, MessageAnswer::No) == MessageAnswer::Yes;
}

void SlipsWindow::printSlips()
{
    const auto range = m_logic.range(m_from->text(), m_to->text());
    if (!range) {
        refuse(m_to, SlipsLogic::NotAllowed);
        return;
    }
    const auto dot = acceptedDot();
    if (!dot)
        return;
    const SlipCalibration calibration = m_logic.calibration(*dot);
    const double cost = m_session.options().columnCost();
    m_session.TaskMode = QStringLiteral("STAM");
    setEnabled(false);
    PrintJob job(this, m_session.prompts(), m_session.progress());
    const qsizetype first = range->first, total = m_logic.slipCount();
    const auto outcome = job.run(
        {m_session.document().SystemName,
         QStringLiteral("Stampa su Schedine in corso... Attendere !"), failureText, true,
         [first, total](int document) {
             return QStringLiteral("QUADRIGO 13 - Schedina %1 di %2")
                 .arg(first + document - 1)
                 .arg(total);
         },
         [this](const QString& printer) { return calibratedFor(printer); }},
        [this, range, calibration, cost](PrintSurface& surface, ProgressReporter& progress) {
            SlipLayout::prepare(surface);
            SlipLayout::printSlips(surface, calibration, *m_source, range->first, range->second,
                                   cost, progress);
        });
    setEnabled(true);
    // A failed run closes the window, undoing its printer settings.
    if (outcome == PrintJob::Outcome::Failed)
        reject();
}
