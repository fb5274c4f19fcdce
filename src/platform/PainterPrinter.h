#pragma once

#include "platform/PrintBackEnd.h"

#include <QHash>
#include <QPainter>
#include <QRawFont>

#include <functional>
#include <optional>

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

    // Called as each document starts, numbered from 1: a printer names its job here, and says
    // why it takes no job now (empty when it takes it).
    std::function<QString(int document)> documentStarting;
    // Asked after each document has ended: why the device refused it, empty when it took it.
    std::function<QString()> documentRefusal;
    // Whether the paper already set on the device stays, whatever size the printout asks for.
    bool keepPaper = false;

private:
    bool ensurePage();
    bool endDocument(const QString& failure);
    QPointF toDevice(const QPointF& twips) const;
    double scale() const;
    bool fail(const QString& reason);
    void setFont(const PrintFont& font);
    // Draws `text` as positioned glyphs without blanks; false when the font lacks a character.
    bool drawGlyphs(const QPointF& baseLine, const QString& text);

    QPagedPaintDevice& m_device;
    QString m_deviceName;
    DocumentEnd m_documentEnd;
    QPainter m_painter;
    // The font set on the painter and its ascent in device units, kept while texts share it.
    std::optional<PrintFont> m_font;
    double m_ascent = 0;
    // The same font as glyphs: each character's glyph and advance in device units, looked up
    // once. A PDF engine writes every glyph with its own position, so texts are drawn as glyph
    // runs that leave the blanks out and skip shaping, which halves what a column page costs.
    struct Glyph {
        quint32 index = 0;
        double advance = 0;
    };
    QRawFont m_rawFont;
    QHash<char16_t, Glyph> m_glyphs;
    QList<quint32> m_runIndexes;
    QList<QPointF> m_runPositions;
    bool m_pageBreakPending = false;
    bool m_painted = false;
    int m_documents = 0;
    QString m_error;
};
