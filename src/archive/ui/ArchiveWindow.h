#pragma once

#include <QDialog>

#include <memory>

class ArchiveModel;
class ArchiveStore;
class QLabel;
class QTableView;
class Session;

// frmARCHIVIO: the archive of winning columns in season and contest order, a selection moved
// through it, the record editor for new, modified and deleted records, the printout of the
// whole archive, and CSV import and export.
class ArchiveWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ArchiveWindow)
public:
    explicit ArchiveWindow(Session& session, QWidget* parent = nullptr);
    ~ArchiveWindow() override;

    // False when the archive could not be opened (already reported).
    bool isOpen() const { return m_open; }
    // The selected row, from 0; -1 with an empty archive.
    int currentRow() const;

private:
    void reload();
    void selectRow(int row);
    void describeRow();
    void goToSeason();
    // Opens the record editor in `mode` and follows what it did.
    void edit(const char* mode);
    void print();
    void importCsv();
    void reportError(const QString& error);

    Session& m_session;
    std::unique_ptr<ArchiveStore> m_store;
    ArchiveModel* m_model;
    QTableView* m_grid;
    QLabel* m_description;
    bool m_open = false;
};
