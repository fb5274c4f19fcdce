#pragma once

#include <QDialog>

class QFileSystemModel;
class QTreeView;

// frmCARTELLA: picks the systems folder from the directory tree.
class FolderDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderDialog)
public:
    // The tree opens at `startFolder`, or at its nearest existing parent.
    explicit FolderDialog(const QString& startFolder, QWidget* parent = nullptr);

    // The folder selected in the tree, with native separators.
    QString selectedFolder() const;
    void selectFolder(const QString& folder);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QFileSystemModel* m_model;
    QTreeView* m_tree;
    QString m_following; // the folder the view keeps in sight while the tree fills
};
