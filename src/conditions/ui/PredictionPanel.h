#pragma once

#include <QWidget>

#include <array>

class QColor;
class QLabel;
struct SystemDocument;

// The prediction beside the condition dialogs' boxes: for every match its number (lblN), home
// and away team (lblCa, lblFc) and the signs played (lblPro), so the user sets bounds with the
// prediction in view.
class PredictionPanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PredictionPanel)
public:
    static constexpr int Matches = 13;

    explicit PredictionPanel(const SystemDocument& document, QWidget* parent = nullptr);

    QLabel* numberLabel(int match) const { return m_numbers[match - 1]; }
    QLabel* signsLabel(int match) const { return m_signs[match - 1]; }

    // Bold match numbers or bold signs guide what a box expects.
    void setNumbersBold(bool bold);
    void setSignsBold(bool bold);
    void colourSigns(int match, const QColor& background, const QColor& text);

private:
    std::array<QLabel*, Matches> m_numbers{};
    std::array<QLabel*, Matches> m_signs{};
};
