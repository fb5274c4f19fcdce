#pragma once

#include <QDialog>
#include <QImage>

#include <functional>

class PrintSurface;
class QLabel;
class QSpinBox;

// The preview of a printout, one page at a time: the page shown is drawn when it is asked for,
// by drawing the printout up to it and keeping that page alone, so a printout of thousands of
// pages opens at once and holds one page in memory. The page count follows, counted while the
// first page is already on screen.
class PrintPreviewWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PrintPreviewWindow)
public:
    using Draw = std::function<void(PrintSurface&)>;

    PrintPreviewWindow(const QString& caption, Draw draw, QWidget* parent = nullptr);
    ~PrintPreviewWindow() override;

    // The page on screen, from 1, and the pages counted so far (0 until the count is done).
    int page() const;
    int pageCount() const { return m_pageCount; }
    // Draws page `page` (from 1) of the printout at `dotsPerInch`.
    static QImage render(const Draw& draw, int page, int dotsPerInch);
    // Counts the pages; `counted` hears each page as it starts and may throw to stop.
    static int countPages(const Draw& draw, const std::function<void(int)>& counted = {});

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void showPage();
    void count();

    Draw m_draw;
    QSpinBox* m_page;
    QLabel* m_total;
    QLabel* m_picture;
    int m_pageCount = 0;
    bool m_counting = false;
    bool m_closing = false;
};
