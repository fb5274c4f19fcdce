#pragma once

#include "document/MatchesLogic.h"

#include <QDialog>

#include <array>

class QLineEdit;
class Session;

// frmSQUADRE: the 74 team names kept for all systems, in four series.
class TeamsDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TeamsDialog)
public:
    TeamsDialog(Session& session, QWidget* parent = nullptr);

private:
    void confirm();

    Session& m_session;
    std::array<QLineEdit*, TeamList::Count> m_fields{};
};
