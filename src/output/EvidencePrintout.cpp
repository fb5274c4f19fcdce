#include "output/EvidencePrintout.h"

#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"

namespace EvidencePrintout {

void PrintLines(PrintSurface& surface, const QString& heading, const QString& systemName,
                const QStringList& lines, ProgressReporter& progress)
{
    surface.setOrientation(1);
    surface.setPaperSize(9);
    surface.Font.Name = QStringLiteral("Arial");
    surface.Font.Size = 14;
    surface.Font.Bold = true;
    surface.printLine(heading);
    surface.Font.Size = 11;
    surface.Font.Bold = false;
    surface.printLine(systemName);
    surface.printLine();
    surface.Font.Name = QStringLiteral("Courier New");
    surface.Font.Size = 10;
    progress.setRange(0, static_cast<int>(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        surface.printLine(lines.at(i));
        progress.setValue(static_cast<int>(i + 1));
    }
    surface.EndDoc();
    progress.setValue(0);
}

} // namespace EvidencePrintout
