#include "platform/ui/WaitWindow.h"

#include "platform/ui/WindowSizing.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel* picture(QWidget* parent, const char* name, const QIcon& icon)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(icon.pixmap(48, 48));
    label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return label;
}

} // namespace

WaitWindow::WaitWindow(const QString& caption, const QString& taskMode, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_message(new QLabel(this))
    , m_progress(new QLabel(this))
    , m_hide(new QLabel(this))
{
    setObjectName(QStringLiteral("frmATTESA"));
    setWindowTitle(caption);
    setModal(false);

    QStyle* style = this->style();
    QLabel* printing = picture(this, "imgSTAMPA",
                               QIcon::fromTheme(QStringLiteral("document-print"),
                                                style->standardIcon(QStyle::SP_FileIcon)));
    QLabel* time = picture(this, "imgTEMPO",
                           QIcon::fromTheme(QStringLiteral("appointment-soon"),
                                            style->standardIcon(QStyle::SP_BrowserReload)));
    printing->setVisible(taskMode == QLatin1String("STAM"));
    time->setVisible(taskMode == QLatin1String("TEMP"));

    m_message->setObjectName(QStringLiteral("lblMessaggio"));
    m_progress->setObjectName(QStringLiteral("lblProgressivo"));
    m_hide->setObjectName(QStringLiteral("lblHide"));
    for (QLabel* line : {m_message, m_progress, m_hide}) {
        line->setMinimumWidth(320);
        line->setWordWrap(true);
    }

    auto* lines = new QVBoxLayout;
    lines->addWidget(m_message);
    lines->addWidget(m_progress);
    lines->addWidget(m_hide);
    lines->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(printing);
    layout->addWidget(time);
    layout->addLayout(lines, 1);
}

void WaitWindow::setLine(QLabel* label, const QString& text)
{
    label->setText(text);
    label->repaint();
}

void WaitWindow::setMessage(const QString& text)
{
    setLine(m_message, text);
}

void WaitWindow::setProgressText(const QString& text)
{
    setLine(m_progress, text);
}

void WaitWindow::setHideText(const QString& text)
{
    setLine(m_hide, text);
}

void WaitWindow::showOver(const QWidget* window)
{
    adjustSize();
    WindowSizing::fitCaption(this);
    if (window) {
        const QRect frame = window->window()->frameGeometry();
        move(frame.center() - rect().center());
    }
    show();
    repaint();
}
