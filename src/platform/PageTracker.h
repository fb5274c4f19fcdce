#pragma once

#include "platform/PrintBackEnd.h"

#include <algorithm>
#include <functional>

// Passes a printout on to another back end (or to none) page by page, counting the pages as a
// paged device starts them: a page begins with the first thing drawn on it, a page break on an
// empty page still leaves that page blank, an ended document goes on to the next page. It can
// keep a single page of a printout, so a long printout is counted or previewed one page at a
// time without holding the others.
class PageTracker final : public PrintBackEnd {
    Q_DISABLE_COPY_MOVE(PageTracker)
public:
    // Thrown once the kept page is complete, to stop drawing the pages after it.
    struct PageDone {};

    // `target` receives what is drawn (all pages, or only page `keep` when above 0); none when
    // the pages are only counted.
    explicit PageTracker(PrintBackEnd* target, int keep = 0);

    // Called as each page starts, with its number from 1 across the whole output.
    std::function<void(int page)> pageStarting;

    // The pages started so far; a printout that drew nothing still makes one blank page.
    int pages() const { return std::max(m_page, 1); }

    QString deviceName() const override;
    QSizeF pageSize() const override;
    void setPageFormat(int orientation, int paperSize) override;
    bool text(const QPointF& topLeft, const QString& text, const PrintFont& font,
              const QColor& colour) override;
    bool line(const QPointF& from, const QPointF& to, int drawWidth, const QColor& colour) override;
    bool circle(const QPointF& centre, double radius, const CircleStyle& style) override;
    bool newPage() override;
    bool endDoc() override;
    QString errorString() const override;

private:
    // Starts the page a drawing lands on; whether it goes to the target.
    bool drawing();
    void startPage();

    PrintBackEnd* m_target;
    int m_keep;
    int m_page = 0;
    bool m_active = false;
    bool m_breakPending = false;
};
