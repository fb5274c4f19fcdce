#pragma once

#include "platform/PdfPrinter.h"
#include "platform/PrintSurface.h"
#include "platform/RecordingPrinter.h"

#include <QStringList>

// Shared checks of the printing tests: recorded dots and texts, a printout drawn into a PDF file.
namespace PrintChecks {

inline bool near(double value, double expected, double tolerance = 0.05)
{
    return qAbs(value - expected) < tolerance;
}

// Dot centres in millimetres as "x,y" rounded to hundredths, of one document or of all.
inline QStringList dots(const RecordingPrinter& recorder, int document = 0)
{
    QStringList result;
    for (const auto& item : recorder.items(RecordingPrinter::Kind::Circle)) {
        if (document == 0 || item.document == document)
            result << QStringLiteral("%1,%2")
                          .arg(item.atMillimetres().x(), 0, 'f', 2)
                          .arg(item.atMillimetres().y(), 0, 'f', 2);
    }
    return result;
}

inline QStringList texts(const RecordingPrinter& recorder)
{
    QStringList result;
    for (const auto& item : recorder.items(RecordingPrinter::Kind::Text))
        result << item.text;
    return result;
}

// Draws into a new PDF file at `path`; false, with the reason, when it was not written.
template <typename Draw> bool toPdf(const QString& path, Draw draw, QString* error = nullptr)
{
    PdfPrinter pdf(path);
    {
        PrintSurface surface(pdf.backEnd());
        draw(surface);
    }
    return pdf.finish(error);
}

} // namespace PrintChecks
