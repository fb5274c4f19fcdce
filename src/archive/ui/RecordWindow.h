#pragma once

#include "archive/ArchiveRecord.h"

#include <QDialog>

#include <array>

class ArchiveModel;
class ArchiveStore;
class QComboBox;
class QLineEdit;
class QPushButton;
class Session;

// frmRECORD: adds, modifies or deletes one record of the archive, as the browser asked through
// the session's ArchiveMode, and leaves the answer there: CLSE when the archive must be
// reloaded, MODI after a modification (the browser's row already rewritten), empty on cancel.
class RecordWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecordWindow)
public:
    // `row` is the browser's current record, unused for a new one.
    RecordWindow(Session& session, ArchiveStore& store, ArchiveModel& model, int row,
                 QWidget* parent = nullptr);

    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* box(int field) const { return m_boxes[field]; }
    ArchiveRecord::TypedFields typed() const;
    void copySeries();
    void boxLeft();
    // The key typed in a sign or postponed box, applied by the editor's rules; true when it
    // was consumed.
    bool keyTyped(QLineEdit* edit, QChar key);
    void confirm();
    void recomputeAll();
    void databaseError(const QString& error);

    Session& m_session;
    ArchiveStore& m_store;
    ArchiveModel& m_model;
    int m_row;
    QString m_mode;
    std::array<QLineEdit*, ArchiveRecord::TypedCount> m_boxes{};
    QComboBox* m_series;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_recompute;
};
