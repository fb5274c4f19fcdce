#include "archive/ui/ArchiveWindow.h"

#include "archive/ArchiveCsv.h"
#include "archive/ArchiveModel.h"
#include "archive/ArchivePrintout.h"
#include "archive/ArchiveStore.h"
#include "archive/RecordEditorLogic.h"
#include "archive/ui/CsvExport.h"
#include "archive/ui/RecordWindow.h"
#include "platform/BackgroundWork.h"
#include "platform/NumberFormat.h"
#include "platform/PrintSurface.h"
#include "platform/Twips.h"
#include "platform/UserPrompts.h"
#include "platform/ui/PrintJob.h"
#include "platform/ui/WindowSizing.h"
#include "session/Session.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <optional>
#include <utility>

namespace {

// Widths of the season, the contest, each sign, the series and the postponed flag.
constexpr int SeasonWidth = 1200;
constexpr int NumberWidth = 700;
constexpr int SignWidth = 420;

QString title()
{
    return QLatin1String(Session::AppTitle);
}

} // namespace

ArchiveWindow::ArchiveWindow(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_store(std::make_unique<ArchiveStore>(session.appFolder()))
    , m_model(new ArchiveModel(this))
    , m_grid(new QTableView(this))
    , m_description(new QLabel(this))
{
    setObjectName(QStringLiteral("frmARCHIVIO"));
    setWindowTitle(QStringLiteral("Archivio Colonne Vincenti"));

    m_grid->setObjectName(QStringLiteral("dtaGrid"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setHighlightSections(false);
    QPalette colours = m_grid->palette();
    colours.setColor(QPalette::Base, QColor(255, 255, 192));
    m_grid->setPalette(colours);
    // The measures are computed from the signs and shown by the statistics; the grid keeps to
    // what the user typed.
    for (int field = 0; field < ArchiveRecord::FieldCount; ++field) {
        int width = SignWidth;
        if (field == ArchiveRecord::Anno)
            width = SeasonWidth;
        else if (field == ArchiveRecord::Conc || field >= ArchiveRecord::Serie)
            width = NumberWidth;
        m_grid->setColumnWidth(field, Twips::toPixels(width));
        m_grid->setColumnHidden(field, field >= ArchiveRecord::TypedCount);
    }
    int gridWidth =
        2 * m_grid->frameWidth() + m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    for (int field = 0; field < ArchiveRecord::TypedCount; ++field)
        gridWidth += m_grid->columnWidth(field);
    m_grid->setMinimumSize(gridWidth, m_grid->horizontalHeader()->sizeHint().height() +
                                          16 * m_grid->verticalHeader()->defaultSectionSize());
    connect(m_grid, &QTableView::doubleClicked, this, [this] { edit(RecordEditorLogic::Modify); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ArchiveWindow::describeRow);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &ArchiveWindow::describeRow);

    m_description->setObjectName(QStringLiteral("lblRecord"));
    m_description->setFrameShape(QFrame::Panel);
    m_description->setFrameShadow(QFrame::Sunken);

    const auto button = [this](const char* name, const QString& caption, auto slot) {
        auto* pushButton = new QPushButton(caption, this);
        pushButton->setObjectName(QLatin1String(name));
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, slot);
        return pushButton;
    };
    auto* navigation = new QHBoxLayout;
    navigation->addWidget(button("cmdPri", QStringLiteral("&I"), [this] { selectRow(0); }));
    navigation->addWidget(button("cmdPrec", QStringLiteral("&P"), [this] {
        if (currentRow() >= 1)
            selectRow(currentRow() - 1);
    }));
    navigation->addWidget(button("cmdVaiAnno", QStringLiteral("&Vai"), [this] { goToSeason(); }));
    navigation->addWidget(button("cmdSucc", QStringLiteral("&S"), [this] {
        if (currentRow() + 1 < m_model->rowCount())
            selectRow(currentRow() + 1);
    }));
    navigation->addWidget(
        button("cmdUlt", QStringLiteral("&F"), [this] { selectRow(m_model->rowCount() - 1); }));
    for (int i = 0; i < navigation->count(); ++i)
        navigation->itemAt(i)->widget()->setFixedWidth(44);
    // The one-letter buttons say what they do when the pointer rests on them.
    for (const auto& [name, tip] :
         {std::pair{"cmdPri", "Inizio"}, std::pair{"cmdPrec", "Precedente"},
          std::pair{"cmdSucc", "Successivo"}, std::pair{"cmdUlt", "Fine"}})
        findChild<QPushButton*>(QLatin1String(name))->setToolTip(QLatin1String(tip));
    navigation->addStretch();

    auto* editing = new QHBoxLayout;
    editing->addWidget(button("cmdNuova", QStringLiteral("&Nuova Colonna"),
                              [this] { edit(RecordEditorLogic::New); }));
    editing->addWidget(button("cmdModifica", QStringLiteral("&Modifica Colonna"),
                              [this] { edit(RecordEditorLogic::Modify); }));
    editing->addWidget(button("cmdCancella", QStringLiteral("&Cancella Colonna"),
                              [this] { edit(RecordEditorLogic::Delete); }));
    editing->addStretch();
    auto* files = new QHBoxLayout;
    files->addWidget(button("cmdImporta", QStringLiteral("Imp&orta…"), [this] { importCsv(); }));
    files->addWidget(button("cmdEsporta", QStringLiteral("&Esporta…"), [this] {
        if (m_open)
            CsvExport::saveArchive(m_session, *m_store);
    }));
    files->addStretch();
    files->addWidget(button("cmdStampa", QStringLiteral("&Stampa"), [this] { print(); }));
    files->addWidget(button("cmdEsci", QStringLiteral("&Chiudi"), [this] { accept(); }));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_description);
    layout->addLayout(navigation);
    layout->addLayout(editing);
    layout->addLayout(files);

    QString error;
    m_open = m_store->open(&error);
    if (m_open)
        reload();
    else
        reportError(error);
}

ArchiveWindow::~ArchiveWindow() = default;

int ArchiveWindow::currentRow() const
{
    return m_grid->currentIndex().row();
}

void ArchiveWindow::reload()
{
    QList<ArchiveRecord> records;
    QString error;
    bool loaded = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto pointer = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        // On a worker thread, through a connection of its own, as the import is.
        const QString appFolder = m_session.appFolder();
        BackgroundWork().run([&] {
            ArchiveStore store(appFolder);
            loaded =
                store.open(&error, ArchiveStore::Access::ReadOnly) && store.load(records, &error);
        });
    }
    if (!loaded)
        reportError(error);
    m_model->setRecords(std::move(records));
    setWindowTitle(
        title() + QStringLiteral(" - Archivio Colonne Vincenti   ( %1 )").arg(m_model->rowCount()));
    selectRow(m_model->rowCount() - 1);
    describeRow();
}

void ArchiveWindow::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(row, 0);
    m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    m_grid->scrollTo(index, QAbstractItemView::PositionAtTop);
}

void ArchiveWindow::describeRow()
{
    const int row = currentRow();
    if (row < 0) {
        m_description->clear();
        return;
    }
    const ArchiveRecord& record = m_model->record(row);
    m_description->setText(QStringLiteral("Stagione ") + record[ArchiveRecord::Anno] +
                           QStringLiteral("     -     Concorso ") + record[ArchiveRecord::Conc] +
                           QStringLiteral("     -     Serie ") + record[ArchiveRecord::Serie]);
}

void ArchiveWindow::goToSeason()
{
    const int year = QDate::currentDate().year();
    const std::optional<QString> answer =
        m_session.prompts().input({QStringLiteral("Scelta Anno"),
                                   QStringLiteral("Digitare l'Anno iniziale (AAAA)"),
                                   QStringLiteral("%1-%2").arg(year - 1).arg(year),
                                   {}});
    if (!answer || answer->isEmpty())
        return;
    const QString start = answer->left(4);
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->record(row)[ArchiveRecord::Anno].startsWith(start)) {
            selectRow(row);
            return;
        }
    }
}

void ArchiveWindow::edit(const char* mode)
{
    const int row = currentRow();
    const bool isNew = qstrcmp(mode, RecordEditorLogic::New) == 0;
    if (!m_open || (!isNew && row < 0))
        return;
    m_session.ArchiveMode = QLatin1String(mode);
    RecordWindow editor(m_session, *m_store, *m_model, row, this);
    editor.adjustSize();
    WindowSizing::fitCaption(&editor);
    editor.move(geometry().center() - editor.rect().center());
    editor.exec();
    if (m_session.ArchiveMode != QLatin1String(RecordEditorLogic::Closed))
        return;
    // A new or deleted record, or every record recomputed: the archive is read again.
    reload();
    if (qstrcmp(mode, RecordEditorLogic::Modify) == 0)
        selectRow(row);
}

void ArchiveWindow::print()
{
    m_session.TaskMode = QStringLiteral("STAM");
    const QList<ArchiveRecord> records = m_model->records();
    PrintJob job(this, m_session.prompts(), m_session.progress());
    job.run({m_session.document().SystemName, QStringLiteral("Stampa in corso... Attendere !"), {}},
            [&records](PrintSurface& surface, ProgressReporter& progress) {
                ArchivePrintout::PrintArchive(surface, records, progress);
            });
}

void ArchiveWindow::importCsv()
{
    UserPrompts& prompts = m_session.prompts();
    const std::optional<QString> path = prompts.openFile(
        {QStringLiteral("Importa Colonne Vincenti"),
         {QStringLiteral("File CSV (*.csv)"), QStringLiteral("Tutti i file (*.*)")},
         0,
         QStringLiteral("csv"),
         m_session.systemsFolder(),
         {}});
    if (!path || !m_open)
        return;
    // One rule with the command line: the file is read whole first, and a refused line means
    // nothing is imported.
    ArchiveCsv::Parsed parsed;
    QString error;
    bool read = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto pointer = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        // Read, and below stored, on a worker thread, so that the window keeps painting even
        // through a file of a hundred thousand lines.
        BackgroundWork().run([&] { read = ArchiveCsv::readFile(*path, parsed, &error); });
    }
    if (!read)
        return reportError(error);
    if (parsed.refusedCount > 0) {
        prompts.warn(title(),
                     QStringLiteral("Il file %1 non è stato importato: righe scartate:%2\n")
                             .arg(QDir::toNativeSeparators(*path),
                                  NumberFormat::Str(double(parsed.refusedCount))) +
                         ArchiveCsv::refusalReport(parsed));
        return;
    }

    bool cancelled = false;
    // "Sì a tutti" and "No a tutti" answer every contest still to come.
    std::optional<ArchiveStore::Duplicate> forAll;
    const auto onDuplicate = [&](const ArchiveRecord::TypedFields& record) {
        if (forAll)
            return *forAll;
        const MessageAnswer answer = prompts.ask(
            MessageIcon::Question, title(),
            QStringLiteral("Il Concorso %1 della Stagione %2 è già in archivio.\n"
                           "Sostituirlo con quello del file ?")
                .arg(record[ArchiveRecord::Conc].trimmed(), record[ArchiveRecord::Anno].trimmed()),
            MessageButtons::YesNoAllCancel, MessageAnswer::No);
        if (answer == MessageAnswer::YesToAll)
            forAll = ArchiveStore::Duplicate::Replace;
        if (answer == MessageAnswer::NoToAll)
            forAll = ArchiveStore::Duplicate::Skip;
        if (forAll)
            return *forAll;
        if (answer == MessageAnswer::Yes)
            return ArchiveStore::Duplicate::Replace;
        if (answer == MessageAnswer::No)
            return ArchiveStore::Duplicate::Skip;
        cancelled = true;
        return ArchiveStore::Duplicate::Cancel;
    };
    ArchiveStore::ImportCount counted;
    bool imported = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto pointer = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        BackgroundWork work;
        // The questions are asked on the GUI thread, the worker waiting for each answer.
        const auto askOnGui = [&](const ArchiveRecord::TypedFields& record) {
            ArchiveStore::Duplicate answer = ArchiveStore::Duplicate::Cancel;
            work.askOnGui([&] {
                QApplication::restoreOverrideCursor();
                answer = onDuplicate(record);
                QApplication::setOverrideCursor(Qt::WaitCursor);
            });
            return answer;
        };
        // The worker reaches the archive through a connection of its own: a connection serves
        // only the thread that opened it.
        const QString appFolder = m_session.appFolder();
        work.run([&] {
            ArchiveStore store(appFolder);
            imported = store.open(&error) &&
                       store.importRecords(parsed.records, askOnGui, counted, &error);
        });
    }
    if (cancelled) {
        prompts.inform(title(),
                       QStringLiteral("Importazione annullata: l'archivio non è cambiato."));
        return;
    }
    if (!imported)
        return reportError(error);

    const QStringList report{
        QStringLiteral("Colonne aggiunte:") + NumberFormat::Str(counted.added),
        QStringLiteral("Colonne sostituite:") + NumberFormat::Str(counted.replaced),
        QStringLiteral("Colonne saltate:") + NumberFormat::Str(counted.skipped)};
    prompts.inform(title(), report.join(u'\n'));
    reload();
}

void ArchiveWindow::reportError(const QString& error)
{
    m_session.prompts().message({MessageIcon::Critical, title(), error, MessageButtons::Ok});
}
