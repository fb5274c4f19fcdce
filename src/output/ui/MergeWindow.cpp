#include "output/ui/MergeWindow.h"

#include "output/Merger.h"
#include "platform/BackgroundWork.h"
#include "platform/ColumnDatabase.h"
#include "platform/NumberFormat.h"
#include "platform/UserPrompts.h"
#include "session/Session.h"

#include <QElapsedTimer>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(100);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

MergeWindow::MergeWindow(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_merge(new QPushButton(QStringLiteral("A&ccorpa"), this))
    , m_close(new QPushButton(QStringLiteral("&Annulla"), this))
    , m_reducedCount(valueLabel(this, "lblTotColRid"))
    , m_mergedCount(valueLabel(this, "lblTotColAcc"))
    , m_ratio(valueLabel(this, "lblRapp"))
    , m_time(valueLabel(this, "lblTempo"))
{
    setObjectName(QStringLiteral("frmACCORPA"));
    setWindowTitle(session.document().SystemName + QStringLiteral(" - Accorpa Colonne"));

    const std::array<const char*, 4> captions = {
        "Colonne Sistema Ridotto :", "Colonne Accorpate :", "Rapporto di Accorpamento:",
        "Tempo di Elaborazione:"};
    const std::array<QLabel*, 4> values = {m_reducedCount, m_mergedCount, m_ratio, m_time};
    auto* results = new QGridLayout;
    for (int row = 0; row < 4; ++row) {
        auto* caption = new QLabel(QString::fromLatin1(captions[row]), this);
        caption->setObjectName(QStringLiteral("lbl%1").arg(row + 1));
        caption->hide();
        values[row]->clear();
        m_captions[row] = caption;
        results->addWidget(caption, row, 0);
        results->addWidget(values[row], row, 1);
    }

    m_merge->setObjectName(QStringLiteral("cmdAccorpa"));
    m_close->setObjectName(QStringLiteral("cmdAnnulla"));
    m_merge->setDefault(true);
    connect(m_merge, &QPushButton::clicked, this, &MergeWindow::merge);
    connect(m_close, &QPushButton::clicked, this, &MergeWindow::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_merge);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(results);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

void MergeWindow::merge()
{
    QElapsedTimer elapsed;
    elapsed.start();
    const ColumnBuffer& columns = m_session.document().WorkColumns;
    MergedColumns rows;
    QString error;
    bool stored = false;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto pointer = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        // Merged on a worker thread, so that the window keeps painting and "&Annulla" stops the
        // scan, or the merge before its rows are stored; once stored, they are stored whole.
        BackgroundWork work({m_close});
        connect(m_close, &QPushButton::clicked, &work, &BackgroundWork::requestStop);
        ForwardedProgress progress(work, m_session.progress(), ForwardedProgress::Steps::Stoppable);
        const QString appFolder = m_session.appFolder();
        const bool finished = work.run([&] {
            rows = Merger::merge(columns, &progress);
            work.checkpoint();
            stored = ColumnDatabase::writeMergedRows(appFolder, rows, &error);
        });
        m_session.progress().setValue(0);
        if (!finished)
            return;
    }
    if (!stored) {
        // The rows never reached Accorpa.mdb, which printing and dictation read: the system
        // stays unmerged and the user may try again.
        m_session.prompts().message(
            {MessageIcon::Critical, m_session.messageTitle(),
             QStringLiteral("Impossibile scrivere le Colonne Accorpate ! (%1)").arg(error)});
        return;
    }
    const auto merged = static_cast<qint32>(rows.count());
    m_session.setMerged(merged);

    for (QLabel* caption : m_captions)
        caption->show();
    m_reducedCount->setText(QString::number(columns.count()));
    m_mergedCount->setText(QString::number(merged));
    m_ratio->setText(Merger::ratioText(columns.count(), merged));
    const double seconds = NumberFormat::roundHalfEven(double(elapsed.elapsed()) / 1000.0);
    m_time->setText(NumberFormat::FormatElapsed(qint64(seconds)));

    m_merge->setEnabled(false);
    m_close->setText(QStringLiteral("&Chiudi"));
    m_close->setDefault(true);
    m_close->setFocus();
}
