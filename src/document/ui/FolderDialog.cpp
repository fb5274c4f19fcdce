#include "document/ui/FolderDialog.h"

#include "platform/ui/WindowSizing.h"
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
    WindowSizing::fitCaption(this);

    QString folder = QDir::fromNativeSeparators(startFolder.trimmed());
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString parentFolder = QFileInfo(folder).path();
        folder = parentFolder == folder ? QString() : parentFolder;
    }
    // The model lists folders in the background: each listing on the way to the chosen folder
    // pushes it down, so the view follows it until its own listing is in, or the user moves.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (m_following.isEmpty())
            return;
        m_tree->scrollTo(m_tree->currentIndex(), QAbstractItemView::PositionAtCenter);
        if (QDir::cleanPath(loaded) == m_following)
            m_following.clear();
    });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (QDir::cleanPath(m_model->filePath(current)) != m_following)
                    m_following.clear();
            });
    selectFolder(folder.isEmpty() ? QDir::homePath() : folder);
}

void FolderDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Before the dialog is shown the view has no size to scroll in.
    m_tree->scrollTo(m_tree->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void FolderDialog::selectFolder(const QString& folder)
{
    const QModelIndex index = m_model->index(QDir::fromNativeSeparators(folder));
    if (!index.isValid())
        return;
    m_following = QDir::cleanPath(m_model->filePath(index));
    m_tree->setCurrentIndex(index);
    m_tree->expand(index);
    m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

QString FolderDialog::selectedFolder() const
{
    const QModelIndex index = m_tree->currentIndex();
    if (!index.isValid())
        return {};
    return QDir::toNativeSeparators(m_model->filePath(index));
}
