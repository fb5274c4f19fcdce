#pragma once

#include <QDialog>

class QLabel;

// The small window a long operation shows while it runs without yielding: a picture for the
// kind of task and three text lines the operation writes and repaints itself.
class WaitWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WaitWindow)
public:
    // `taskMode` picks the picture: "STAM" printing, "TEMP" time; any other code shows none.
    WaitWindow(const QString& caption, const QString& taskMode, QWidget* parent = nullptr);

    // Each setter repaints its line at once, since the operation does not return to the event
    // loop until it ends.
    void setMessage(const QString& text);
    void setProgressText(const QString& text);
    void setHideText(const QString& text);

    // Shows the window centred on `window` (or where it is, without one) and paints it.
    void showOver(const QWidget* window);

private:
    void setLine(QLabel* label, const QString& text);

    QLabel* m_message;
    QLabel* m_progress;
    QLabel* m_hide;
};
