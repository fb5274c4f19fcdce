#pragma once

#include "document/MatchesLogic.h"

#include <QDialog>

#include <array>

class QComboBox;
class Session;

// frmINCONTRI: the home and away team of the 13 matches, typed or chosen from the team names.
class MatchesDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MatchesDialog)
public:
    MatchesDialog(Session& session, QWidget* parent = nullptr);

    // Escape and the window's close button leave like "&Annulla": after New it is what keeps
    // the named system savable.
    void reject() override;

private:
    void load();
    void confirm();

    Session& m_session;
    std::array<QComboBox*, MatchesLogic::Matches> m_home{};
    std::array<QComboBox*, MatchesLogic::Matches> m_away{};
};
