#pragma once

#include <QDialog>

class QLabel;
class ColumnBuffer;
class QCheckBox;
class QListView;
class QPushButton;
class Session;

// frmVEDICOL: the columns of the reduced or the integral system (DialogMode CRid / CInt) as
// numbered lines, with their export to Export.mdb and to text, and the reduced system taken
// from a text file.
class ColumnViewerWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColumnViewerWindow)
public:
    explicit ColumnViewerWindow(Session& session, QWidget* parent = nullptr);

private:
    void setColumns(const ColumnBuffer& columns);
    void copySelection();
    void printColumns();
    void exportColumns();
    void exportText();
    void importText();

    Session& m_session;
    bool m_integral;
    QLabel* m_heading;
    QListView* m_list;
    QPushButton* m_print;
    QPushButton* m_export;
    QPushButton* m_exportText;
    QPushButton* m_importText;
    QPushButton* m_close;
    QCheckBox* m_byProbability;
    QLabel* m_chance;
};
