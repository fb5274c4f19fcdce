#pragma once

#include <QImage>
#include <QPdfDocument>
#include <QRectF>
#include <QString>

// A PDF printout as a reader renders it, measured in millimetres from the page's top left
// corner. Header-only: only the tests that link the PDF module include it.
class PdfPages {
public:
    static constexpr int PixelsPerMillimetre = 10;

    explicit PdfPages(const QString& path) { m_document.load(path); }

    int count() const { return m_document.pageCount(); }
    QSize pointSize(int page) const { return m_document.pagePointSize(page).toSize(); }

    // The text of `page` in drawing order, and the right edge of all of it in millimetres.
    QString text(int page) { return m_document.getAllText(page).text(); }
    double textRight(int page)
    {
        return m_document.getAllText(page).boundingRectangle().right() / 72 * 25.4;
    }

    // Whether the point (x, y) mm of `page` (0-based) is printed dark.
    bool isDark(int page, double x, double y)
    {
        if (m_page != page) {
            const QSizeF size = m_document.pagePointSize(page) / 72 * 25.4 * PixelsPerMillimetre;
            m_image = m_document.render(page, size.toSize());
            m_page = page;
        }
        const QPoint at(qRound(x * PixelsPerMillimetre), qRound(y * PixelsPerMillimetre));
        // Unprinted paper renders transparent.
        const QRgb pixel = m_image.pixel(at);
        return qAlpha(pixel) > 127 && qGray(pixel) < 128;
    }
    // Whether anything in `area` (mm) is printed dark.
    bool anyDark(int page, const QRectF& area)
    {
        for (double y = area.top(); y <= area.bottom(); y += 0.1)
            for (double x = area.left(); x <= area.right(); x += 0.1)
                if (isDark(page, x, y))
                    return true;
        return false;
    }

private:
    QPdfDocument m_document;
    QImage m_image;
    int m_page = -1;
};
