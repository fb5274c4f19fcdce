#include "platform/ui/QtUserPrompts.h"

#include "platform/ui/PrinterChoice.h"
#include "platform/ui/PrinterSelectionDialog.h"
#include "platform/ui/WindowSizing.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

QMessageBox::Icon iconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton buttonOf(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::YesToAll:
        return QMessageBox::YesToAll;
    case MessageAnswer::NoToAll:
        return QMessageBox::NoToAll;
    case MessageAnswer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QFileDialog* fileDialog(QWidget* parent, const FileRequest& request)
{
    auto* dialog = new QFileDialog(parent, request.title, request.folder);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setNameFilters(request.filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
        dialog->selectNameFilter(request.filters.at(request.selectedFilter));
    dialog->setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.contains(QLatin1Char('*')))
        dialog->selectFile(request.fileName);
    return dialog;
}

} // namespace

MessageAnswer QtUserPrompts::message(const MessageRequest& request)
{
    QMessageBox box(iconOf(request.icon), request.title, request.text, QMessageBox::NoButton,
                    m_parent);
    switch (request.buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNoAllCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No |
                               QMessageBox::NoToAll | QMessageBox::Cancel);
        box.button(QMessageBox::YesToAll)->setText(QStringLiteral("S\u00ec a &tutti"));
        box.button(QMessageBox::NoToAll)->setText(QStringLiteral("No a t&utti"));
        break;
    }
    if (request.buttons != MessageButtons::Ok)
        box.setDefaultButton(buttonOf(request.defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::YesToAll:
        return MessageAnswer::YesToAll;
    case QMessageBox::NoToAll:
        return MessageAnswer::NoToAll;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
}

std::optional<QString> QtUserPrompts::input(const InputRequest& request)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(request.prompt);
    dialog.setTextValue(request.defaultText);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.adjustSize();
    WindowSizing::fitCaption(&dialog);
    if (request.screenPosition)
        dialog.move(*request.screenPosition);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtUserPrompts::openFile(const FileRequest& request)
{
    std::unique_ptr<QFileDialog> dialog(fileDialog(m_parent, request));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

std::optional<QString> QtUserPrompts::saveFile(const FileRequest& request)
{
    std::unique_ptr<QFileDialog> dialog(fileDialog(m_parent, request));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

bool QtUserPrompts::printerSetup()
{
    QPrinter printer;
    PrinterChoice::instance().configure(printer);
    QPrintDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(QStringLiteral("Imposta Stampante"));
    // The set-up prints nothing: its confirmation keeps the settings for the printouts.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    for (auto* buttons : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("&Conferma"));
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PrinterChoice::instance().rememberSettings(printer);
    return true;
}

std::optional<PrintChoice> QtUserPrompts::choosePrinter(const QString& title)
{
    PrinterSelectionDialog dialog(title, *this, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}
