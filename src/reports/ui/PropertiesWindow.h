#pragma once

#include <QDialog>

#include <functional>

class Session;

// frmPRESENTA: what the open system is, read only: the matches and the prediction, the integral
// and the reduced system with the enabled conditions' limits, the excluded sequences; "&Stampa"
// prints the prospect.
class PropertiesWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PropertiesWindow)
public:
    PropertiesWindow(Session& session, std::function<void()> printProspect,
                     QWidget* parent = nullptr);
    ~PropertiesWindow() override;
};
