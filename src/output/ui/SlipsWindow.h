#pragma once

#include "output/SlipsLogic.h"
#include "platform/MergedColumns.h"

#include <QDialog>

#include <memory>

class BoxLeaveGuard;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class Session;
class SlipPicture;
namespace SlipLayout {
class SlipSource;
}

// frmSCHEDINE: prints the system's columns onto betting slips, four to a slip, one print job
// per slip; calibrates where the dots land, tests it on paper and on screen, and keeps it in
// DefPrnV.sys.
class SlipsWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SlipsWindow)
public:
    explicit SlipsWindow(Session& session, QWidget* parent = nullptr);
    ~SlipsWindow() override;

private:
    void offsetChanged();
    void firstChanged();
    bool checkBox(QLineEdit* box);
    // The diameter typed, or nullopt after refusing it.
    std::optional<double> acceptedDot();
    void save();
    void printTest(bool advanced);
    void printSlips();
    // Whether slips may go to `printer`: asked when the calibration was made on another.
    bool calibratedFor(const QString& printer);
    void refreshPicture();
    void refuse(QLineEdit* box, const QString& message);

    Session& m_session;
    MergedColumns m_merged;
    std::unique_ptr<SlipLayout::SlipSource> m_source;
    SlipsLogic m_logic;
    QLabel* m_total;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QScrollBar* m_vertical;
    QScrollBar* m_horizontal;
    QLabel* m_verticalText;
    QLabel* m_horizontalText;
    QLineEdit* m_dot;
    QPushButton* m_close;
    SlipPicture* m_picture;
    BoxLeaveGuard* m_guard;
};
