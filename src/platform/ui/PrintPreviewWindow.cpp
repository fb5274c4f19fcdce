#include "platform/ui/PrintPreviewWindow.h"

#include "platform/PageTracker.h"
#include "platform/PrintSurface.h"
#include "platform/RecordingPrinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int ScreenDotsPerInch = 96;

// Raised in the count when the window goes, to stop drawing the rest.
struct CountAbandoned {};

void paintItems(QPainter& painter, const RecordingPrinter& page, double scale)
{
    const auto at = [scale](const QPointF& twips) { return twips * scale; };
    for (const RecordingPrinter::Item& item : page.items()) {
        switch (item.kind) {
        case RecordingPrinter::Kind::Text: {
            QFont font = PrintFonts::qfont(item.font);
            font.setPixelSize(std::max(1, qRound(item.font.Size * scale * 20)));
            painter.setFont(font);
            painter.setPen(item.colour);
            const QPointF topLeft = at(item.at);
            painter.drawText(QPointF(topLeft.x(), topLeft.y() + QFontMetricsF(font).ascent()),
                             item.text);
            break;
        }
        case RecordingPrinter::Kind::Line:
            painter.setPen(QPen(item.colour, 1));
            painter.drawLine(at(item.at), at(item.to));
            break;
        case RecordingPrinter::Kind::Circle: {
            const double r = item.radius * scale;
            painter.setPen(QPen(item.circle.outline, 1));
            painter.setBrush(item.circle.fillStyle == 0 ? QBrush(item.circle.fill) : QBrush());
            painter.drawEllipse(at(item.at), r, r);
            painter.setBrush(Qt::NoBrush);
            break;
        }
        }
    }
}

} // namespace

PrintPreviewWindow::PrintPreviewWindow(const QString& caption, Draw draw, QWidget* parent)
    : QDialog(parent)
    , m_draw(std::move(draw))
    , m_page(new QSpinBox(this))
    , m_total(new QLabel(this))
    , m_picture(new QLabel)
{
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(caption + QStringLiteral(" - Anteprima"));
    m_page->setObjectName(QStringLiteral("spnPagina"));
    m_total->setObjectName(QStringLiteral("lblPagine"));
    m_picture->setObjectName(QStringLiteral("picPagina"));
    m_page->setRange(1, 1);
    m_page->setKeyboardTracking(false);
    m_total->setText(QStringLiteral("di ..."));
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(m_picture);
    scroll->setAlignment(Qt::AlignHCenter);
    auto* close = new QPushButton(QStringLiteral("&Chiudi"), this);
    close->setObjectName(QStringLiteral("cmdChiudi"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_page, &QSpinBox::valueChanged, this, &PrintPreviewWindow::showPage);

    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("Pagina"), this));
    bar->addWidget(m_page);
    bar->addWidget(m_total);
    bar->addStretch();
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll, 1);
    resize(880, 900);
    showPage();
}

PrintPreviewWindow::~PrintPreviewWindow() = default;

int PrintPreviewWindow::page() const
{
    return m_page->value();
}

QImage PrintPreviewWindow::render(const Draw& draw, int page, int dotsPerInch)
{
    RecordingPrinter kept;
    PageTracker tracker(&kept, page);
    try {
        PrintSurface surface(tracker);
        draw(surface);
    } catch (const PageTracker::PageDone&) {
    }
    const double scale = dotsPerInch / 1440.0;
    const QSizeF size = kept.pageSize() * scale;
    QImage image(size.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintItems(painter, kept, scale);
    return image;
}

int PrintPreviewWindow::countPages(const Draw& draw, const std::function<void(int)>& counted)
{
    PageTracker tracker(nullptr);
    tracker.pageStarting = counted;
    PrintSurface surface(tracker);
    draw(surface);
    return tracker.pages();
}

void PrintPreviewWindow::showPage()
{
    m_picture->setPixmap(QPixmap::fromImage(render(m_draw, m_page->value(), ScreenDotsPerInch)));
    m_picture->adjustSize();
}

void PrintPreviewWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_pageCount == 0 && !m_counting)
        QTimer::singleShot(0, this, &PrintPreviewWindow::count);
}

void PrintPreviewWindow::done(int result)
{
    m_closing = true;
    QDialog::done(result);
}

// The count runs from the event loop, yielding now and then so the pages can be browsed and the
// window closed meanwhile; the pages known so far can already be chosen.
void PrintPreviewWindow::count()
{
    m_counting = true;
    QElapsedTimer sinceYield;
    sinceYield.start();
    try {
        m_pageCount = countPages(m_draw, [this, &sinceYield](int counted) {
            if (sinceYield.elapsed() < 100)
                return;
            m_page->setMaximum(counted);
            m_total->setText(QStringLiteral("di %1...").arg(counted));
            QCoreApplication::processEvents();
            sinceYield.restart();
            if (m_closing)
                throw CountAbandoned{};
        });
    } catch (const CountAbandoned&) {
        m_counting = false;
        return;
    }
    m_counting = false;
    m_page->setMaximum(m_pageCount);
    m_total->setText(QStringLiteral("di %1").arg(m_pageCount));
}
