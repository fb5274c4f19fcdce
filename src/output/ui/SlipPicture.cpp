#include "output/ui/SlipPicture.h"

#include "platform/PrintSurface.h"
#include "platform/RecordingPrinter.h"

#include <QPainter>

namespace {

// The part of the slip shown, in millimetres, and the scale.
constexpr double Left = 12, Top = 64, Width = 82, Height = 72;
constexpr double PixelsPerMillimetre = 4;

QPointF toScreen(double x, double y)
{
    return QPointF((x - Left) * PixelsPerMillimetre, (y - Top) * PixelsPerMillimetre);
}

} // namespace

SlipPicture::SlipPicture(Slip slip, QWidget* parent)
    : QWidget(parent)
    , m_slip(std::move(slip))
    , m_recorder(std::make_unique<RecordingPrinter>())
{
    setObjectName(QStringLiteral("picSchedina"));
    setFixedSize(int(Width * PixelsPerMillimetre), int(Height * PixelsPerMillimetre));
}

SlipPicture::~SlipPicture() = default;

void SlipPicture::setCalibration(const SlipCalibration& calibration)
{
    m_recorder = std::make_unique<RecordingPrinter>();
    PrintSurface surface(*m_recorder);
    SlipLayout::prepare(surface);
    m_slip(surface, calibration);
    update();
}

void SlipPicture::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0xfb, 0xf3, 0xe4));
    // The boxes of the slip stay where the slip has them; only the printer's marks move.
    painter.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 1));
    for (int j = 1; j <= 4; ++j) {
        for (const double offset : {0.0, 4.5, 9.0}) {
            for (const double x : SlipLayout::MatchX) {
                const QPointF centre = toScreen(x, SlipLayout::baseLine(j) - offset);
                painter.drawRect(QRectF(centre - QPointF(7, 7), QSizeF(14, 14)));
            }
        }
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const auto& item : m_recorder->items()) {
        const QPointF at = item.atMillimetres();
        if (item.kind == RecordingPrinter::Kind::Circle) {
            const double radius =
                item.radius / PrintSurface::TwipsPerMillimetre * PixelsPerMillimetre;
            painter.drawEllipse(toScreen(at.x(), at.y()), radius, radius);
        } else if (item.kind == RecordingPrinter::Kind::Text) {
            QFont font = PrintFonts::qfont(item.font);
            font.setPixelSize(int(item.font.Size * 25.4 / 72 * PixelsPerMillimetre));
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(toScreen(at.x(), at.y()) + QPointF(0, QFontMetricsF(font).ascent()),
                             item.text);
            painter.setPen(Qt::NoPen);
        }
    }
}
