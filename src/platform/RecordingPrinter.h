#pragma once

#include "platform/PrintBackEnd.h"

#include <QList>
#include <QStringList>

// A back end that keeps everything drawn, for checking printouts without paper: every text with
// its position, font and page, every line and circle, and where pages and documents end.
class RecordingPrinter final : public PrintBackEnd {
public:
    enum class Kind { Text, Line, Circle };

    struct Item {
        Kind kind = Kind::Text;
        int document = 1; // counting the documents ended before it, from 1
        int page = 1;     // within its document
        QPointF at;       // twips: top left of a text, start of a line, centre of a circle
        QPointF to;       // end of a line
        double radius = 0;
        QString text;
        PrintFont font;
        QColor colour;
        CircleStyle circle;

        QPointF atMillimetres() const;
    };

    explicit RecordingPrinter(QString deviceName = QStringLiteral("Registrazione"),
                              QSizeF pageSize = QSizeF(11906, 16838));

    QString deviceName() const override { return m_deviceName; }
    QSizeF pageSize() const override;
    void setPageFormat(int orientation, int paperSize) override;
    bool text(const QPointF& topLeft, const QString& text, const PrintFont& font,
              const QColor& colour) override;
    bool line(const QPointF& from, const QPointF& to, int drawWidth, const QColor& colour) override;
    bool circle(const QPointF& centre, double radius, const CircleStyle& style) override;
    bool newPage() override;
    bool endDoc() override;
    QString errorString() const override { return QStringLiteral("Stampante non disponibile"); }

    const QList<Item>& items() const { return m_items; }
    QList<Item> items(Kind kind) const;
    int documentsEnded() const { return m_documentsEnded; }
    // Pages started in the current document so far.
    int page() const { return m_page; }

    // The texts of one page of one document joined into lines: texts at the same height, in the
    // order drawn, make one line; lines from the top.
    QStringList lines(int document = 1, int page = 1) const;

    // From the `count`-th drawing call on, every call fails, as a printer that stops does.
    void failAfter(int count) { m_failAfter = count; }

private:
    bool record(Item item);

    QString m_deviceName;
    QSizeF m_pageSize;
    int m_orientation = 1;
    QList<Item> m_items;
    int m_documentsEnded = 0;
    int m_page = 1;
    int m_calls = 0;
    int m_failAfter = -1;
};
