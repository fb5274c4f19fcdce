#pragma once

#include "reports/ResultsLogic.h"

#include <QLocale>

class PrintSurface;
struct SystemDocument;

// The results page: on A4 in millimetres, the contest, the framed table of the 13 matches with
// the signs played, the scores and the winning column (uncovered signs in red), the points and
// the prizes.
namespace ResultsPrintout {

void PrintResults(PrintSurface& surface, const SystemDocument& document,
                  const ResultsLogic::Fields& fields, const QLocale& locale = QLocale());

} // namespace ResultsPrintout
