#pragma once

#include <QDialog>

// frmSPLASH: the title, the platform line and the version, closed by a timer.
class SplashWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr int ShowMilliseconds = 2500;
    explicit SplashWindow(QWidget* parent = nullptr);
    static QString platformLine();

protected:
    void showEvent(QShowEvent* event) override;
};
