#include "app/ui/SplashWindow.h"

#include "app/ui/AboutDialog.h"

#include <QLabel>
#include <QScreen>
#include <QSysInfo>
#include <QTimer>
#include <QVBoxLayout>

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen)
{
    setObjectName(QStringLiteral("frmSPLASH"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 30);
    auto* title = new QLabel(QStringLiteral("QUADRIGO 13"), this);
    title->setObjectName(QStringLiteral("lblTitolo"));
    QFont font = title->font();
    font.setPointSize(font.pointSize() * 3);
    font.setBold(true);
    title->setFont(font);
    auto* platform = new QLabel(platformLine(), this);
    platform->setObjectName(QStringLiteral("lblPiattaforma"));
    auto* version = new QLabel(AboutDialog::versionText(), this);
    version->setObjectName(QStringLiteral("lblVersione"));
    for (QLabel* label : {title, platform, version})
        layout->addWidget(label, 0, Qt::AlignCenter);
}

QString SplashWindow::platformLine()
{
    return QStringLiteral("per ") + QSysInfo::prettyProductName();
}

void SplashWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The program has no place on the screen yet: the splash takes the middle of it, at the
    // size it has once shown.
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
    // Counted from the moment it shows: a slow start must not spend the splash's time before it
    // is on the screen, nor close it before its window exists.
    QTimer::singleShot(ShowMilliseconds, this, &QDialog::accept);
}
