#include "document/ui/PredictionSummaryWindow.h"

#include "document/SystemDocument.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>

PredictionSummaryWindow::PredictionSummaryWindow(const SystemDocument& document, QWidget* parent)
    : QWidget(parent)
    , m_document(document)
{
    setObjectName(QStringLiteral("frmPROCOND"));
    setWindowTitle(QStringLiteral("Pronostico"));
    auto* grid = new QGridLayout(this);
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setBold(true);
    for (int i = 1; i <= SystemDocument::Matches; ++i) {
        auto* number = new QLabel(QString::number(i), this);
        number->setObjectName(QStringLiteral("lblN(%1)").arg(i));
        auto* signs = new QLabel(this);
        signs->setObjectName(QStringLiteral("lblPro(%1)").arg(i));
        signs->setFont(fixed);
        signs->setMinimumWidth(40);
        grid->addWidget(number, i - 1, 0, Qt::AlignRight);
        grid->addWidget(signs, i - 1, 1);
        m_signs[i - 1] = signs;
    }
    m_advanced = new QLabel(this);
    m_advanced->setObjectName(QStringLiteral("lblAvanzate"));
    grid->addWidget(m_advanced, SystemDocument::Matches, 0, 1, 2);
    refresh();
}

void PredictionSummaryWindow::refresh()
{
    for (int i = 1; i <= SystemDocument::Matches; ++i)
        m_signs[i - 1]->setText(m_document.signsOf(i));
    // The advanced conditions are listed only while some are set.
    const QStringList advanced = m_document.Advanced.summaryLines();
    m_advanced->setText(advanced.join(QLatin1Char('\n')));
    m_advanced->setVisible(!advanced.isEmpty());
}

bool PredictionSummaryWindow::event(QEvent* event)
{
    // Each time it becomes active it shows the prediction as it is now.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        refresh();
    return QWidget::event(event);
}
