#include "app/ui/AboutDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmABOUT"));
    setWindowTitle(QStringLiteral("QUADRIGO 13 - Informazioni"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("QUADRIGO 13"), this);
    title->setObjectName(QStringLiteral("lblTitolo"));
    QFont font = title->font();
    font.setPointSize(font.pointSize() * 2);
    font.setBold(true);
    title->setFont(font);
    auto* version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("lblVersione"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(title, 0, Qt::AlignCenter);
    layout->addWidget(version, 0, Qt::AlignCenter);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}

QString AboutDialog::versionText()
{
    return QStringLiteral("Versione %1.%2.%3")
        .arg(QUADRIGO_VERSION_MAJOR)
        .arg(QUADRIGO_VERSION_MINOR)
        .arg(QUADRIGO_VERSION_PATCH);
}
