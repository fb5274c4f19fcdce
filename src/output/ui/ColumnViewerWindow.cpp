#include "output/ui/ColumnViewerWindow.h"

#include "output/ColumnListModel.h"
#include "output/ColumnListing.h"
#include "output/ColumnPages.h"
#include "output/ColumnText.h"
#include "output/ExportWriter.h"
#include "platform/ColumnDatabase.h"
#include "platform/PrintSurface.h"
#include "platform/UserPrompts.h"
#include "platform/ui/PrintJob.h"
#include "session/ReducedSystem.h"
#include "session/Session.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The window's icon tells the two systems apart: R for the reduced one, I for the integral.
QIcon systemIcon(bool integral)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(integral ? QColor(0x8a, 0x4b, 0x1b) : QColor(0x1f, 0x5f, 0x9f));
    painter.drawRoundedRect(QRectF(2, 2, 28, 28), 5, 5);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter,
                     integral ? QStringLiteral("I") : QStringLiteral("R"));
    return QIcon(pixmap);
}

QFont listingFont()
{
    QFont font(QStringLiteral("Courier New"));
    // Where Courier New is missing the lines still need a fixed pitch to keep their groups
    // aligned.
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace

ColumnViewerWindow::ColumnViewerWindow(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_integral(session.DialogMode == QLatin1String("CInt"))
    , m_heading(new QLabel(this))
    , m_list(new QListView(this))
    , m_print(new QPushButton(QStringLiteral("&Stampa"), this))
    , m_export(new QPushButton(QStringLiteral("Esporta MDB"), this))
    , m_exportText(new QPushButton(QStringLiteral("Esporta testo..."), this))
    , m_importText(new QPushButton(QStringLiteral("Importa testo..."), this))
    , m_close(new QPushButton(QStringLiteral("&Chiudi"), this))
    , m_byProbability(new QCheckBox(QStringLiteral("Ordina per &probabilità"), this))
    , m_chance(new QLabel(this))
{
    setObjectName(QStringLiteral("frmVEDICOL"));
    const SystemDocument& document = session.document();
    setWindowTitle(document.SystemName + ColumnListing::captionSuffix(m_integral));
    setWindowIcon(systemIcon(m_integral));
    const ColumnBuffer& columns = m_integral ? document.IntegralColumns : document.WorkColumns;

    m_heading->setObjectName(QStringLiteral("lblCol"));
    m_heading->setText(ColumnListing::heading(m_integral, columns.count()));

    // The lines are formatted only when shown, and every line has the same height, so even
    // the full integral system opens at once; the listing keeps the columns as they are now.
    m_list->setObjectName(QStringLiteral("lstCOL"));
    m_list->setUniformItemSizes(true);
    m_list->setFont(listingFont());
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    setColumns(columns);
    m_list->setMinimumSize(
        m_list->fontMetrics().horizontalAdvance(QStringLiteral("0000000  -  1X2 1X2 1X2 1X21")) +
            60,
        360);

    auto* copy = new QAction(m_list);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    m_list->addAction(copy);
    connect(copy, &QAction::triggered, this, &ColumnViewerWindow::copySelection);

    m_print->setObjectName(QStringLiteral("cmdStampa"));
    connect(m_print, &QPushButton::clicked, this, &ColumnViewerWindow::printColumns);
    m_export->setObjectName(QStringLiteral("cmdCreaMDB"));
    m_close->setObjectName(QStringLiteral("cmdEsci"));
    m_exportText->setObjectName(QStringLiteral("cmdEsportaTesto"));
    m_importText->setObjectName(QStringLiteral("cmdImportaTesto"));
    for (QPushButton* button : {m_print, m_export, m_exportText, m_importText, m_close})
        button->setAutoDefault(false);
    connect(m_export, &QPushButton::clicked, this, &ColumnViewerWindow::exportColumns);
    connect(m_exportText, &QPushButton::clicked, this, &ColumnViewerWindow::exportText);
    connect(m_importText, &QPushButton::clicked, this, &ColumnViewerWindow::importText);
    connect(m_close, &QPushButton::clicked, this, &ColumnViewerWindow::reject);

    // With sign values the lines carry each column's sum and probability, and the listing can
    // put the most probable first.
    m_byProbability->setObjectName(QStringLiteral("chkProbabilita"));
    m_chance->setObjectName(QStringLiteral("lblProbabilita"));
    connect(m_byProbability, &QCheckBox::toggled, this, [this](bool sorted) {
        static_cast<ColumnListModel*>(m_list->model())->sortByProbability(sorted);
    });
    auto* values = new QHBoxLayout;
    values->addWidget(m_chance);
    values->addStretch();
    values->addWidget(m_byProbability);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_print);
    buttons->addWidget(m_export);
    buttons->addWidget(m_exportText);
    buttons->addWidget(m_importText);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_list, 1);
    layout->addLayout(values);
    layout->addLayout(buttons);

    m_list->setFocus();
}

void ColumnViewerWindow::setColumns(const ColumnBuffer& columns)
{
    const AdvancedConditions& advanced = m_session.document().Advanced;
    QAbstractItemModel* old = m_list->model();
    auto* model = new ColumnListModel(columns, m_list);
    model->showValues(advanced);
    if (m_byProbability->isChecked())
        model->sortByProbability(true);
    m_list->setModel(model);
    delete old;
    m_chance->setText(advanced.chanceText(columns));
    m_chance->setVisible(advanced.values().has_value());
    m_byProbability->setVisible(advanced.values().has_value());
}

void ColumnViewerWindow::copySelection()
{
    // Read range by range: selecting all of an integral system selects 1.6 million lines.
    QList<QItemSelectionRange> ranges = m_list->selectionModel()->selection();
    std::sort(ranges.begin(), ranges.end(),
              [](const QItemSelectionRange& a, const QItemSelectionRange& b) {
                  return a.top() < b.top();
              });
    const QAbstractItemModel* model = m_list->model();
    QString text;
    for (const QItemSelectionRange& range : std::as_const(ranges)) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            if (!text.isEmpty())
                text += QLatin1Char('\n');
            text += model->index(row, 0).data().toString();
        }
    }
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void ColumnViewerWindow::printColumns()
{
    // The columns shown, printed as the column pages of the system printout (VCCR or VCCI).
    setEnabled(false);
    m_session.TaskMode = QStringLiteral("STAM");
    PrintJob job(this, m_session.prompts(), m_session.progress());
    const bool integral = m_integral;
    job.run({m_session.document().SystemName, QStringLiteral("Stampa in corso... Attendere !"), {}},
            [this, integral](PrintSurface& surface, ProgressReporter& progress) {
                ColumnPages::printSystemColumns(surface, m_session.document(), integral, progress);
                surface.EndDoc();
            });
    setEnabled(true);
}

void ColumnViewerWindow::exportColumns()
{
    const SystemDocument& document = m_session.document();
    const ColumnBuffer& columns = m_integral ? document.IntegralColumns : document.WorkColumns;
    QString error;
    bool written = false;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto pointer = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        written = ExportWriter::exportColumns(m_session.appFolder(), columns, &error,
                                              &m_session.progress());
    }
    // A message box given no title of its own shows the application's, as this one does.
    const QString title = QLatin1String(Session::AppTitle);
    if (!written) {
        m_session.prompts().message(
            {MessageIcon::Critical, title,
             QStringLiteral("Impossibile creare il File 'Export.mdb' ! (%1)").arg(error)});
        return;
    }
    m_session.prompts().message({MessageIcon::None, title, ExportWriter::successMessage()});
}

namespace {

const QStringList TextFilters = {QStringLiteral("Testo (*.txt)"), QStringLiteral("CSV (*.csv)")};

} // namespace

void ColumnViewerWindow::exportText()
{
    const SystemDocument& document = m_session.document();
    const QString title = document.SystemName;
    // Played online, a merged system goes out as its merged rows, as it is printed.
    bool merged = false;
    if (!m_integral && document.MergedCount >= 1) {
        const MessageAnswer answer = m_session.prompts().ask(
            MessageIcon::Question, title, QStringLiteral("Esportare le Colonne Accorpate ?"),
            MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::Cancel)
            return;
        merged = answer == MessageAnswer::Yes;
    }
    const std::optional<QString> path = m_session.prompts().saveFile(
        {QStringLiteral("Esporta testo"), TextFilters, 0, QStringLiteral("txt"),
         m_session.systemsFolder(), document.SystemName + QStringLiteral(".txt")});
    if (!path)
        return;
    const ColumnText::Format format = ColumnText::formatOf(*path);
    QString error;
    bool written = false;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto pointer = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        MergedColumns rows;
        if (merged)
            written = ColumnDatabase::readMergedRows(m_session.appFolder(), rows, &error) &&
                      ColumnText::writeMerged(*path, rows, format, &error);
        else
            written = ColumnText::writeColumns(
                *path, m_integral ? document.IntegralColumns : document.WorkColumns, format,
                &error);
    }
    const QString name = QFileInfo(*path).fileName();
    if (!written) {
        m_session.prompts().message(
            {MessageIcon::Critical, title,
             QStringLiteral("Impossibile scrivere il File '%1' ! (%2)").arg(name, error)});
        return;
    }
    m_session.prompts().inform(title, QStringLiteral("File '%1' creato con successo !").arg(name));
}

void ColumnViewerWindow::importText()
{
    SystemDocument& document = m_session.document();
    const QString title = document.SystemName;
    const std::optional<QString> path =
        m_session.prompts().openFile({QStringLiteral("Importa testo"),
                                      TextFilters,
                                      0,
                                      QStringLiteral("txt"),
                                      m_session.systemsFolder(),
                                      {}});
    if (!path)
        return;
    ColumnText::Import imported;
    QString error;
    bool readable = false;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto pointer = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        readable = ColumnText::read(*path, document, imported, &error);
        if (readable && !imported.ok()) {
            error = ColumnText::refusal(QFileInfo(*path).fileName(), imported);
            readable = false;
        }
    }
    if (!readable) {
        m_session.prompts().warn(title, error);
        return;
    }
    // A reduced system may be the work of a long reduction or guarantee: it goes only on Yes.
    if (document.ReducedCount >= 1 &&
        m_session.prompts().ask(
            MessageIcon::Question, title,
            QStringLiteral("Il Sistema Ridotto di %1 colonne sarà sostituito dalle %2 colonne "
                           "del file.\nContinuare ?")
                .arg(document.ReducedCount)
                .arg(imported.columns.count()),
            MessageButtons::YesNo, MessageAnswer::No) != MessageAnswer::Yes)
        return;
    const QString done = ColumnText::summary(imported);
    bool adopted = false;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto pointer = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        adopted = ReducedSystem::adopt(m_session.appFolder(), document, std::move(imported.columns),
                                       &error);
    }
    if (!adopted) {
        m_session.prompts().warn(title, error);
        return;
    }
    m_session.markModified();
    m_session.endMerge();
    m_session.applyRule(CommandRule::ReductionConfirmed);
    m_session.refreshStatus();
    if (!m_integral) {
        setColumns(document.WorkColumns);
        m_heading->setText(ColumnListing::heading(false, document.WorkColumns.count()));
    }
    m_session.prompts().inform(title, done);
}
