#include "output/ui/DictationWindow.h"

#include "conditions/ui/BoxLeaveGuard.h"
#include "document/ui/FieldBehaviour.h"
#include "platform/ColumnDatabase.h"
#include "platform/SoundPlayer.h"
#include "platform/UserPrompts.h"
#include "platform/WaitTimer.h"
#include "session/Session.h"

#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString NormalLook = QStringLiteral(
    "QLabel { font-size: 8pt; font-weight: normal; color: black; background: #E0E0E0; }");
const QString HighlightedLook = QStringLiteral(
    "QLabel { font-size: 10pt; font-weight: bold; color: white; background: black; }");

// The betting slip as a picture: four columns of thirteen rows of three boxes, with a frame
// over each column that the window shows for the column being dictated.
class SlipImage final : public QWidget {
public:
    explicit SlipImage(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("Image1"));
        setFixedSize(4 * ColumnWidth + 5 * Gap, 13 * RowHeight + 2 * Gap);
        for (int p = 0; p < 4; ++p) {
            auto* frame = new QFrame(this);
            frame->setObjectName(QStringLiteral("Cornice(%1)").arg(p + 1));
            frame->setStyleSheet(QStringLiteral("QFrame { border: 3px solid #C00000; }"));
            frame->setGeometry(columnRect(p).adjusted(-4, -4, 4, 4));
            frame->hide();
            frames[p] = frame;
        }
    }
    std::array<QFrame*, 4> frames{};

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0xFF, 0xF4, 0xE8));
        painter.setPen(QColor(0xD0, 0x60, 0x60));
        for (int p = 0; p < 4; ++p) {
            const QRect column = columnRect(p);
            for (int row = 0; row < 13; ++row)
                for (int sign = 0; sign < 3; ++sign)
                    painter.drawRect(column.left() + sign * BoxWidth + 2,
                                     column.top() + row * RowHeight + 2, BoxWidth - 4,
                                     RowHeight - 4);
        }
    }

private:
    static constexpr int BoxWidth = 14;
    static constexpr int ColumnWidth = 3 * BoxWidth;
    static constexpr int RowHeight = 12;
    static constexpr int Gap = 10;
    static QRect columnRect(int p)
    {
        return {Gap + p * (ColumnWidth + Gap), Gap, ColumnWidth, 13 * RowHeight};
    }
};

// The numbers under the speed slider, each centred on its tick: drawn where the style puts the
// handle for that value, so they line up whatever the width and the style.
class SliderScale final : public QWidget {
public:
    SliderScale(QSlider* slider, QWidget* parent)
        : QWidget(parent)
        , m_slider(slider)
    {
        setObjectName(QStringLiteral("SliderScale"));
        setMinimumHeight(fontMetrics().height());
    }

    // Where the label of `value` is centred, in this widget's coordinates.
    int centreOf(int value) const
    {
        QStyleOptionSlider option;
        option.initFrom(m_slider);
        option.orientation = m_slider->orientation();
        option.minimum = m_slider->minimum();
        option.maximum = m_slider->maximum();
        option.sliderPosition = value;
        option.sliderValue = value;
        option.tickPosition = m_slider->tickPosition();
        option.tickInterval = m_slider->tickInterval();
        const QRect handle = m_slider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                               QStyle::SC_SliderHandle, m_slider);
        return mapFrom(window(), m_slider->mapTo(window(), handle.center())).x();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        for (int value = m_slider->minimum(); value <= m_slider->maximum(); ++value) {
            const QString text = QString::number(value);
            const int width = fontMetrics().horizontalAdvance(text);
            painter.drawText(QRect(centreOf(value) - width, 0, 2 * width, height()),
                             Qt::AlignCenter, text);
        }
    }

private:
    QSlider* m_slider;
};

QLabel* named(QLabel* label, const QString& name)
{
    label->setObjectName(name);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(QLatin1String(name));
    result->setAutoDefault(false);
    return result;
}

} // namespace

DictationWindow::DictationWindow(Session& session, SoundPlayer& player, WaitTimer& timer,
                                 QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_player(player)
    , m_timer(timer)
    , m_range(0, {})
{
    setObjectName(QStringLiteral("frmDETTA"));
    const SystemDocument& document = session.document();
    setWindowTitle(document.SystemName + QStringLiteral(" - Detta Colonne"));

    // While a merged system exists its rows are dictated, a double with a sound of its own.
    QString error;
    if (document.MergedCount >= 1) {
        if (!ColumnDatabase::readMergedRows(session.appFolder(), m_merged, &error))
            session.prompts().message(
                {MessageIcon::Critical, document.SystemName, QStringLiteral("Errore\n") + error});
        m_source = std::make_unique<SlipLayout::SlipSource>(m_merged);
    } else {
        m_source =
            std::make_unique<SlipLayout::SlipSource>(document.WorkColumns, document.ReducedCount);
    }
    const qsizetype slips = SlipLayout::slipCount(m_source->count());
    m_range = SlipsLogic(slips, {});

    for (int k = 0; k < 16; ++k)
        m_labels[k] = named(new QLabel(this), QStringLiteral("lblCol(%1)").arg(k));
    auto* slipFrame = new QGroupBox(QStringLiteral("Schedina n."), this);
    m_totalSlips = named(new QLabel(QStringLiteral("di ") + QString::number(slips), slipFrame),
                         QStringLiteral("lblTotSched"));
    auto* slipLayout = new QHBoxLayout(slipFrame);
    slipLayout->addWidget(m_labels[0]);
    slipLayout->addWidget(m_totalSlips);
    auto* columnFrame = new QGroupBox(QStringLiteral("Colonna n."), this);
    (new QHBoxLayout(columnFrame))->addWidget(m_labels[14]);
    auto* remainingFrame = new QGroupBox(QStringLiteral("Da Dettare"), this);
    (new QHBoxLayout(remainingFrame))->addWidget(m_labels[15]);
    auto* rangeFrame = new QGroupBox(QStringLiteral("Intervallo Schedine"), this);
    m_from = new QLineEdit(rangeFrame);
    m_to = new QLineEdit(rangeFrame);
    m_from->setObjectName(QStringLiteral("txtDA"));
    m_to->setObjectName(QStringLiteral("txtA"));
    auto* rangeLayout = new QHBoxLayout(rangeFrame);
    rangeLayout->addWidget(new QLabel(QStringLiteral("Da"), rangeFrame));
    rangeLayout->addWidget(m_from);
    rangeLayout->addWidget(new QLabel(QStringLiteral("a"), rangeFrame));
    rangeLayout->addWidget(m_to);

    auto* signs = new QVBoxLayout;
    signs->addWidget(
        named(new QLabel(QStringLiteral("Colonna"), this), QStringLiteral("lblAttuale")));
    for (int m = 1; m <= 13; ++m) {
        m_labels[m]->setAlignment(Qt::AlignCenter);
        // The larger bold look of the sign being spoken takes no more room than the normal one
        // leaves, so the window does not move as the highlight goes down the column.
        m_labels[m]->setText(QStringLiteral("X2"));
        setHighlighted(m, true);
        const QSize highlighted = m_labels[m]->sizeHint();
        setHighlighted(m, false);
        m_labels[m]->setFixedSize(
            highlighted.expandedTo(m_labels[m]->sizeHint()).expandedTo({48, 0}));
        m_labels[m]->clear();
        signs->addWidget(m_labels[m]);
    }
    auto* image = new SlipImage(this);
    m_frames = image->frames;

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("Slider"));
    m_slider->setRange(1, 10);
    m_slider->setValue(4);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setTickInterval(1);
    m_slider->setPageStep(1);
    auto* speed = new QGridLayout;
    speed->addWidget(new QLabel(QStringLiteral("Veloce"), this), 0, 0);
    speed->addWidget(m_slider, 0, 1);
    speed->addWidget(new QLabel(QStringLiteral("Lento"), this), 0, 2);
    speed->addWidget(new SliderScale(m_slider, this), 1, 1);

    m_dictate = button(this, "cmdDetta", QStringLiteral("&Detta"));
    m_pause = button(this, "cmdPausa", QStringLiteral("&Pausa"));
    m_close = button(this, "cmdEsci", QStringLiteral("&Chiudi"));

    auto* left = new QVBoxLayout;
    for (QWidget* frame :
         {static_cast<QWidget*>(slipFrame), static_cast<QWidget*>(columnFrame),
          static_cast<QWidget*>(remainingFrame), static_cast<QWidget*>(rangeFrame)})
        left->addWidget(frame);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(signs);
    top->addWidget(image, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_dictate);
    buttons->addWidget(m_pause);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(speed);
    layout->addLayout(buttons);

    const auto digits = FieldBehaviour::accepting([](QChar c) { return c.isDigit(); });
    for (QLineEdit* box : {m_from, m_to}) {
        FieldBehaviour::filterKeys(box, digits);
        FieldBehaviour::selectOnEntry(box);
    }
    m_guard = new BoxLeaveGuard(
        m_close, [this](QLineEdit* box) { return checkBox(box); }, this);
    m_guard->watch(m_to);

    connect(m_from, &QLineEdit::textChanged, this, [this] {
        if (!m_range.firstAllowed(m_from->text()))
            refuse(m_from);
        else
            updateRemaining();
    });
    connect(m_to, &QLineEdit::textChanged, this, &DictationWindow::updateRemaining);
    connect(m_slider, &QSlider::valueChanged, this,
            [this](int value) { m_delay = DictationSequence::delayOf(value); });
    connect(m_dictate, &QPushButton::clicked, this, &DictationWindow::startOrStop);
    connect(m_pause, &QPushButton::clicked, this, &DictationWindow::pauseOrResume);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);

    m_from->setText(QStringLiteral("1"));
    m_to->setText(QString::number(slips));
    m_labels[15]->setText(QString::number(slips));
    m_pause->setEnabled(false);
    m_from->setFocus();
}

DictationWindow::~DictationWindow()
{
    m_guard->stop();
    m_player.stop();
    m_timer.cancel();
}

void DictationWindow::closeEvent(QCloseEvent* event)
{
    // Closing ends the run at once, mid-word included.
    m_state = QStringLiteral("Esci");
    m_guard->stop();
    m_player.stop();
    m_timer.cancel();
    m_running = false;
    m_resume = nullptr;
    QDialog::closeEvent(event);
}

void DictationWindow::updateRemaining()
{
    m_labels[15]->setText(
        QString::number(m_to->text().toLongLong() - m_from->text().toLongLong() + 1));
}

void DictationWindow::refuse(QLineEdit* box)
{
    m_session.prompts().warn(QString::fromLatin1(Session::AppTitle), SlipsLogic::NotAllowed);
    m_guard->focusBox(box);
}

bool DictationWindow::checkBox(QLineEdit* box)
{
    if (box == m_to && !m_range.rangeAllowed(m_from->text(), m_to->text())) {
        refuse(m_to);
        return false;
    }
    return true;
}

void DictationWindow::startOrStop()
{
    if (m_dictate->text() == QLatin1String("&Detta")) {
        const auto range = m_range.range(m_from->text(), m_to->text());
        if (!range) {
            refuse(m_to);
            return;
        }
        m_state = QStringLiteral("Detta");
        m_from->setEnabled(false);
        m_to->setEnabled(false);
        m_dictate->setText(QStringLiteral("&Stop"));
        m_pause->setEnabled(true);
        updateRemaining();
        m_sequence = std::make_unique<DictationSequence>(*m_source, range->first, range->second);
        m_silent = false;
        m_running = true;
        checkPoint([this] { playStep(); });
        return;
    }
    m_state = QStringLiteral("Stop");
    m_from->setEnabled(true);
    m_to->setEnabled(true);
    m_dictate->setText(QStringLiteral("&Detta"));
    m_pause->setEnabled(false);
    m_from->setFocus();
    // A sound or a pause under way ends now; the display is cleared.
    m_player.stop();
    m_timer.cancel();
    stopped();
}

void DictationWindow::pauseOrResume()
{
    if (m_pause->text() == QLatin1String("&Pausa")) {
        m_state = QStringLiteral("Pausa");
        m_pause->setText(QStringLiteral("&Riprendi"));
        m_dictate->setEnabled(false);
        return;
    }
    m_state = QStringLiteral("Riprendi");
    m_pause->setText(QStringLiteral("&Pausa"));
    m_dictate->setEnabled(true);
    if (auto resume = std::exchange(m_resume, nullptr))
        resume();
}

void DictationWindow::checkPoint(std::function<void()> next)
{
    if (!m_running)
        return;
    if (m_state == QLatin1String("Stop") || m_state == QLatin1String("Esci"))
        return stopped();
    if (m_state == QLatin1String("Pausa")) {
        m_resume = std::move(next);
        return;
    }
    next();
}

QString DictationWindow::soundPath(const QString& file) const
{
    return QDir(m_session.appFolder()).filePath(file);
}

void DictationWindow::playStep()
{
    m_step = m_sequence->next();
    if (!m_step) {
        // Dictated to the end: the last column stays shown until Stop.
        m_running = false;
        return;
    }
    const DictationSequence::Step& step = *m_step;
    switch (step.kind) {
    case DictationSequence::Kind::NewSlip:
        m_labels[14]->setText(QStringLiteral("1"));
        m_labels[0]->setText(QString::number(step.slip));
        m_labels[15]->setText(QString::number(m_labels[15]->text().toLongLong() - 1));
        break;
    case DictationSequence::Kind::Column:
        m_labels[14]->setText(QString::number(step.position));
        showPosition(step.position);
        for (int m = 1; m <= 13; ++m)
            m_labels[m]->setText(MergedColumns::playText(m_source->play(step.column, m - 1)));
        break;
    case DictationSequence::Kind::Play:
        setHighlighted(step.match, true);
        break;
    }
    if (m_silent) {
        QTimer::singleShot(0, this, [this] { soundFinished(true, {}); });
        return;
    }
    m_player.play(soundPath(step.file),
                  [this](bool played, const QString& reason) { soundFinished(played, reason); });
}

void DictationWindow::soundFinished(bool played, const QString& reason)
{
    if (!played && !m_silent) {
        // The player can still fill the slips by reading.
        m_silent = true;
        m_session.prompts().message(
            {MessageIcon::Exclamation, m_session.document().SystemName,
             reason + QStringLiteral("\nLa dettatura prosegue senza voce.")});
    }
    checkPoint([this] {
        m_timer.wait(DictationSequence::waitAfter(m_step->kind, m_delay),
                     [this] { checkPoint([this] { stepDone(); }); });
    });
}

void DictationWindow::stepDone()
{
    if (m_step->kind == DictationSequence::Kind::Play)
        setHighlighted(m_step->match, false);
    checkPoint([this] { playStep(); });
}

void DictationWindow::stopped()
{
    m_running = false;
    m_resume = nullptr;
    m_sequence.reset();
    if (m_state == QLatin1String("Esci"))
        return;
    showPosition(0);
    for (QLabel* label : m_labels)
        label->clear();
    for (int m = 1; m <= 13; ++m)
        setHighlighted(m, false);
}

void DictationWindow::showPosition(int position)
{
    for (int p = 1; p <= 4; ++p)
        m_frames[p - 1]->setVisible(p == position);
}

void DictationWindow::setHighlighted(int match, bool highlighted)
{
    m_labels[match]->setStyleSheet(highlighted ? HighlightedLook : NormalLook);
    m_labels[match]->repaint();
}
