#pragma once

#include "platform/PrintBackEnd.h"
#include "platform/PrintFont.h"

#include <QColor>
#include <QHash>
#include <QString>

#include <memory>

class QFontMetricsF;

// The page-oriented surface every printout draws on: a current position in twips or
// millimetres, the font and colours in force, text printed item after item with print columns,
// lines, filled circles, pages and documents. It measures text the same way whatever the back
// end, so layouts come out identical on paper, in a PDF and in a recording. A back end failure
// throws PrintError.
class PrintSurface final {
    Q_DISABLE_COPY_MOVE(PrintSurface)
public:
    static constexpr int Twips = 1;
    static constexpr int Millimetres = 6;
    static constexpr double TwipsPerMillimetre = 1440.0 / 25.4;

    explicit PrintSurface(PrintBackEnd& backEnd);
    ~PrintSurface();

    // Position of the next item, in the current unit.
    double CurrentX = 0;
    double CurrentY = 0;
    PrintFont Font;
    QColor ForeColor = Qt::black;
    QColor FillColor = Qt::black;
    int DrawWidth = 1;
    int DrawStyle = 0;
    int FillStyle = 1;

    int ScaleMode() const { return m_scaleMode; }
    // Switching the unit keeps the position where it is on the page.
    void setScaleMode(int mode);
    int Orientation() const { return m_orientation; }
    int PaperSize() const { return m_paperSize; }
    void setOrientation(int orientation);
    void setPaperSize(int paperSize);

    int Page() const { return m_page; }
    QString DeviceName() const { return m_backEnd.deviceName(); }
    // The printable area in the current unit.
    double ScaleWidth() const;
    double ScaleHeight() const;
    double TextWidth(const QString& text) const;
    double TextHeight() const;
    // Width of one print column of the current font, as Tab counts them.
    double columnWidth() const;

    // Print text; — the text at the current position, which then moves past it. A line that
    // would run below the printable area goes to the top of a new page first.
    void print(const QString& text);
    // Print Tab(n); — to print column n (from 1); back at the start of the next line when the
    // position is already past it.
    void tab(int column);
    // Print — ends the line: back to the left edge one text height lower.
    void endLine();
    // Print text — the text, then the line end.
    void printLine(const QString& text = {});

    // Line (from)-(to) in the fore colour; the position moves to `to`.
    void line(double x1, double y1, double x2, double y2);
    // Circle (x, y), radius in `colour`, filled by the fill settings.
    void circle(double x, double y, double radius, const QColor& colour);

    void NewPage();
    // Ends and sends the document; the next item starts a new one on page 1.
    void EndDoc();

private:
    double toTwips(double value) const;
    double fromTwips(double twips) const;
    struct Measure;
    Measure& measure() const;
    void check(bool ok);

    PrintBackEnd& m_backEnd;
    int m_scaleMode = Twips;
    int m_orientation = 1;
    int m_paperSize = 9;
    int m_page = 1;
    mutable QHash<QString, std::shared_ptr<Measure>> m_measures;
    // The font measured last: most items share the font of the one before.
    mutable PrintFont m_measuredFont;
    mutable Measure* m_measured = nullptr;
};
