#pragma once

#include "platform/UserPrompts.h"

#include <QDialog>

class QComboBox;

// The printer-selection step before every printout: the printer to print on, or a preview of
// the pages first, or a PDF file instead of paper. Cancelling prints nothing.
class PrinterSelectionDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PrinterSelectionDialog)
public:
    PrinterSelectionDialog(const QString& title, UserPrompts& prompts, QWidget* parent = nullptr);

    PrintChoice choice() const { return m_choice; }

private:
    void choose(PrintDestination destination);

    UserPrompts& m_prompts;
    QComboBox* m_printers;
    PrintChoice m_choice;
};
