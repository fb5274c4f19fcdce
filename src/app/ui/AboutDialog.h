#pragma once

#include <QDialog>

// frmABOUT: the program's title and version.
class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    static QString versionText();
};
