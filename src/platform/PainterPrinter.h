#pragma once

#include "platform/PrintBackEnd.h"

#include <QPainter>

class QPagedPaintDevice;

// A back end that paints on any paged device (a PDF writer, a printer, a preview). Pages are
// started only when something is drawn on them, so a printout never ends on a blank page.
class PainterPrinter final : public PrintBackEnd {
    Q_DISABLE_COPY_MOVE(PainterPrinter)
public:
    // What ending a document means on this device: the next page of the same output (a PDF file
    // or a preview), or a print job of its own (a printer).
    enum class DocumentEnd { NextPage, NewJob };

    PainterPrinter(QPagedPaintDevice& device, QString deviceName, DocumentEnd documentEnd);
    ~PainterPrinter() override;

    QString deviceName() const override { return m_deviceName; }
    QSizeF pageSize() const override;
    void setPageFormat(int orientation, int paperSize) override;
    bool text(const QPointF& topLeft, const QString& text, const PrintFont& font,
              const QColor& colour) override;
    bool line(const QPointF& from, const QPointF& to, int drawWidth, const QColor& colour) override;
    bool circle(const QPointF& centre, double radius, const CircleStyle& style) override;
    bool newPage() override;
    bool endDoc() override;
    QString errorString() const override { return m_error; }

    // Ends the output; an output on which nothing was drawn gets one blank page. False when the
    // device could not complete it.
    bool finish();

private:
    bool ensurePage();
    QPointF toDevice(const QPointF& twips) const;
    double scale() const;
    bool fail(const QString& reason);

    QPagedPaintDevice& m_device;
    QString m_deviceName;
    DocumentEnd m_documentEnd;
    QPainter m_painter;
    bool m_pageBreakPending = false;
    bool m_painted = false;
    QString m_error;
};
