#include "conditions/ui/PredictionPanel.h"

#include "document/SystemDocument.h"

#include <QGridLayout>
#include <QLabel>

namespace {

QString indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QLabel* panelLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

void setBold(QLabel* label, bool bold)
{
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

} // namespace

PredictionPanel::PredictionPanel(const SystemDocument& document, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PannelloPronostico"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(2);
    for (int i = 1; i <= Matches; ++i) {
        auto* number = new QLabel(QString::number(i), this);
        number->setObjectName(indexed("lblN", i));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* home = panelLabel(this, indexed("lblCa", i), document.homeTeam(i).trimmed());
        auto* away = panelLabel(this, indexed("lblFc", i), document.awayTeam(i).trimmed());
        auto* signs = panelLabel(this, indexed("lblPro", i), document.signsOf(i));
        home->setMinimumWidth(120);
        away->setMinimumWidth(120);
        signs->setMinimumWidth(signs->fontMetrics().horizontalAdvance(QStringLiteral("XXXXX")));
        signs->setAlignment(Qt::AlignCenter);
        layout->addWidget(number, i - 1, 0);
        layout->addWidget(home, i - 1, 1);
        layout->addWidget(away, i - 1, 2);
        layout->addWidget(signs, i - 1, 3);
        m_numbers[i - 1] = number;
        m_signs[i - 1] = signs;
    }
}

void PredictionPanel::setNumbersBold(bool bold)
{
    for (QLabel* label : m_numbers)
        setBold(label, bold);
}

void PredictionPanel::setSignsBold(bool bold)
{
    for (QLabel* label : m_signs)
        setBold(label, bold);
}

void PredictionPanel::colourSigns(int match, const QColor& background, const QColor& text)
{
    QLabel* label = m_signs[match - 1];
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}
