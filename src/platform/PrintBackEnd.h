#pragma once

#include "platform/PrintFont.h"

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>

// How a circle is filled and outlined: the printer's DrawWidth (device pixels), DrawStyle
// (0 solid, 6 inside solid) and FillStyle (0 solid, 1 transparent) with the colours in force.
struct CircleStyle {
    int drawWidth = 1;
    int drawStyle = 0;
    int fillStyle = 1;
    QColor outline = Qt::black;
    QColor fill = Qt::black;
};

// Where a printing surface sends what it draws. Positions and sizes are in twips from the top
// left corner of the printable area. A call that fails returns false, with the reason in
// errorString().
class PrintBackEnd {
public:
    virtual ~PrintBackEnd() = default;

    virtual QString deviceName() const = 0;
    // The printable area in twips.
    virtual QSizeF pageSize() const = 0;
    // Orientation 1 portrait, 2 landscape; paper size 9 is A4. Takes effect from the next page.
    virtual void setPageFormat(int orientation, int paperSize) = 0;

    virtual bool text(const QPointF& topLeft, const QString& text, const PrintFont& font,
                      const QColor& colour) = 0;
    virtual bool line(const QPointF& from, const QPointF& to, int drawWidth,
                      const QColor& colour) = 0;
    virtual bool circle(const QPointF& centre, double radius, const CircleStyle& style) = 0;
    virtual bool newPage() = 0;
    // Ends the document: on a printer each document is a print job of its own.
    virtual bool endDoc() = 0;

    virtual QString errorString() const { return {}; }
};
