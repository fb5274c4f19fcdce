#include "document/ui/FolderDialog.h"

#include "session/Session.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

FolderDialog::FolderDialog(const QString& startFolder, QWidget* parent)
    : QDialog(parent)
    , m_model(new QFileSystemModel(this))
    , m_tree(new QTreeView(this))
{
    setObjectName(QStringLiteral("frmCARTELLA"));
    setWindowTitle(QLatin1String(Session::AppTitle) + QStringLiteral(" - Cartella dei Sistemi"));

    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    m_tree->setObjectName(QStringLiteral("DirCerca"));
    m_tree->setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->header()->hide();
    m_tree->setMinimumSize(360, 300);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    cancel->setObjectName(QStringLiteral("cmdAnnulla"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FolderDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &FolderDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addLayout(buttons);

    QString folder = QDir::fromNativeSeparators(startFolder.trimmed());
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString parentFolder = QFileInfo(folder).path();
        folder = parentFolder == folder ? QString() : parentFolder;
    }
    selectFolder(folder.isEmpty() ? QDir::homePath() : folder);
}

void FolderDialog::selectFolder(const QString& folder)
{
    const QModelIndex index = m_model->index(QDir::fromNativeSeparators(folder));
    if (!index.isValid())
        return;
    m_tree->setCurrentIndex(index);
    m_tree->expand(index);
    m_tree->scrollTo(index);
}

QString FolderDialog::selectedFolder() const
{
    const QModelIndex index = m_tree->currentIndex();
    if (!index.isValid())
        return {};
    return QDir::toNativeSeparators(m_model->filePath(index));
}
