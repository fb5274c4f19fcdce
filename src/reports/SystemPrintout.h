#pragma once

#include "platform/MergedColumns.h"

#include <QLocale>
#include <QString>

class PrintSurface;
class ProgressReporter;
struct SystemDocument;

// The printed system: the prospect (contest, file, integral and reduced system with costs, the
// enabled conditions, the matches with blank result fields, a blank prize table) and the column
// pages that follow it, chosen by a print code: StPr, SPCR, SPCI, VCCR, VCCI.
namespace SystemPrintout {

// What a printout reads besides the document.
struct Context {
    const SystemDocument& document;
    double columnCost = 0;
    QLocale locale;
};

bool isPrintCode(const QString& code);

// " 3,4,5,6 ": the values from `minimum` to `maximum` between blanks.
QString ConditionValueList(int minimum, int maximum);

// The prospect pages for `code`; all but StPr end on a new page for the columns.
void PrintProspect(PrintSurface& surface, const Context& context, const QString& code);

// The whole printout of a code, ended as one document; the progress follows the column blocks.
void PrintSystem(PrintSurface& surface, const Context& context, const QString& code,
                 ProgressReporter& progress);

// The merged rows in strips, preceded by the prospect (code SPCR) when `withProspect`.
void PrintMergedColumns(PrintSurface& surface, const Context& context, const MergedColumns& rows,
                        bool withProspect, ProgressReporter& progress);

} // namespace SystemPrintout
