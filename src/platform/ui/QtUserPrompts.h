#pragma once

#include "platform/UserPrompts.h"

#include <QPointer>
#include <QWidget>

// The real dialogs: message boxes, input boxes, file dialogs and the printer set-up.
class QtUserPrompts final : public UserPrompts {
public:
    explicit QtUserPrompts(QWidget* parent = nullptr)
        : m_parent(parent)
    {}
    void setParent(QWidget* parent) { m_parent = parent; }

    MessageAnswer message(const MessageRequest& request) override;
    std::optional<QString> input(const InputRequest& request) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    bool printerSetup() override;
    std::optional<PrintChoice> choosePrinter(const QString& title) override;

private:
    QPointer<QWidget> m_parent;
};
