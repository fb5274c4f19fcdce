#pragma once

#include "document/OptionsLogic.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class Session;

// frmOPZIONI: the application settings of Opzioni.sys, with the systems folder chooser.
class OptionsDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsDialog)
public:
    OptionsDialog(Session& session, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void confirm();
    void chooseFolder();
    void checkShares();
    OptionsLogic::Fields fields() const;

    Session& m_session;
    std::array<QLineEdit*, OptionsLogic::FieldCount> m_fields{};
    QCheckBox* m_info;
};
