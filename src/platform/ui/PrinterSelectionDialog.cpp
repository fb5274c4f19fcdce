#include "platform/ui/PrinterSelectionDialog.h"

#include "platform/ui/PrinterChoice.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

PrinterSelectionDialog::PrinterSelectionDialog(const QString& title, UserPrompts& prompts,
                                               QWidget* parent)
    : QDialog(parent)
    , m_prompts(prompts)
    , m_printers(new QComboBox(this))
{
    setObjectName(QStringLiteral("dlgStampante"));
    setWindowTitle(title.isEmpty() ? QStringLiteral("Stampa")
                                   : title + QStringLiteral(" - Stampa"));
    m_printers->setObjectName(QStringLiteral("cmbStampante"));
    m_printers->addItems(QPrinterInfo::availablePrinterNames());
    m_printers->setCurrentText(PrinterChoice::instance().printerName());

    auto* print = new QPushButton(QStringLiteral("&Stampa"), this);
    auto* preview = new QPushButton(QStringLiteral("&Anteprima..."), this);
    auto* pdf = new QPushButton(QStringLiteral("Salva &PDF..."), this);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    print->setObjectName(QStringLiteral("cmdStampa"));
    preview->setObjectName(QStringLiteral("cmdAnteprima"));
    pdf->setObjectName(QStringLiteral("cmdPDF"));
    cancel->setObjectName(QStringLiteral("cmdAnnulla"));
    // Without an installed printer the pages can still be previewed or saved.
    print->setEnabled(m_printers->count() > 0);
    print->setDefault(print->isEnabled());
    connect(print, &QPushButton::clicked, this, [this] { choose(PrintDestination::Printer); });
    connect(preview, &QPushButton::clicked, this, [this] { choose(PrintDestination::Preview); });
    connect(pdf, &QPushButton::clicked, this, [this] { choose(PrintDestination::Pdf); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {print, preview, pdf})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Stampante:"), this));
    layout->addWidget(m_printers);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void PrinterSelectionDialog::choose(PrintDestination destination)
{
    m_choice = {destination, {}};
    if (destination == PrintDestination::Pdf) {
        const auto path = m_prompts.saveFile({QStringLiteral("Salva come PDF"),
                                              {QStringLiteral("Documento PDF (*.pdf)")},
                                              0,
                                              QStringLiteral("pdf"),
                                              QDir::homePath(),
                                              QStringLiteral("*.pdf")});
        if (!path)
            return;
        m_choice.pdfPath = *path;
    } else if (m_printers->count() > 0) {
        QPrinter printer;
        printer.setPrinterName(m_printers->currentText());
        PrinterChoice::instance().remember(printer);
    }
    accept();
}
