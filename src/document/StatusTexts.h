#pragma once

#include "document/SystemDocument.h"

#include <QLocale>
#include <QString>

#include <array>

// The texts of the two status bars and what they imply for the document.
namespace StatusTexts {

// Panels 2..5 of the integral status bar (index 0 = panel 2); all empty without a system.
std::array<QString, 4> integralPanels(const SystemDocument& document, double columnCost,
                                      const QLocale& locale = QLocale());

struct ReducedStatus {
    std::array<QString, 7> panels; // panels 2..8 (index 0 = panel 2)
    double slipCount = 0;
    QString sharesCaption;   // "&Quote (n)"
    bool hasReduced = false; // the six reduced-system commands follow this
    bool merged = false;     // tmDisaccorpa shown instead of tmAccorpa
};

ReducedStatus reducedStatus(const SystemDocument& document, double columnCost,
                            const QLocale& locale = QLocale());

// Int(count / 4 + 0.9): four columns to a slip.
double slipCountFor(qint32 columns);

} // namespace StatusTexts
