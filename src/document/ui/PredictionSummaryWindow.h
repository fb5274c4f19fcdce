#pragma once

#include <QWidget>

#include <array>

class QLabel;
struct SystemDocument;

// frmPROCOND: a small floating view of the 13 sign fields, kept beside the condition dialogs.
class PredictionSummaryWindow final : public QWidget {
    Q_OBJECT
public:
    explicit PredictionSummaryWindow(const SystemDocument& document, QWidget* parent = nullptr);
    void refresh();

protected:
    bool event(QEvent* event) override;

private:
    const SystemDocument& m_document;
    std::array<QLabel*, 13> m_signs{};
    QLabel* m_advanced = nullptr;
};
