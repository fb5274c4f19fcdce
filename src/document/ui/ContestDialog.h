#pragma once

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class Session;

// frmCONCORSO: the contest number and date of the open system.
class ContestDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContestDialog)
public:
    ContestDialog(Session& session, QWidget* parent = nullptr);

private:
    void showDate();
    void dateChosen();
    void confirm();

    Session& m_session;
    QCalendarWidget* m_calendar;
    QLineEdit* m_number;
    QLabel* m_date;
    QPushButton* m_ok;
};
