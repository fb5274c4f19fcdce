#pragma once

#include <QString>

// A failure while printing, with the error number and description the messages show; thrown by
// the printing surface so that a printout stops at once wherever it is.
struct PrintError {
    static constexpr int PrinterFailure = 482;

    int number = PrinterFailure;
    QString description;
};
