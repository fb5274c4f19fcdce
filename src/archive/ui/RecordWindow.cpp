#include "archive/ui/RecordWindow.h"

#include "archive/ArchiveModel.h"
#include "archive/ArchiveStore.h"
#include "archive/RecordEditorLogic.h"
#include "document/ui/FieldBehaviour.h"
#include "platform/UserPrompts.h"
#include "session/Session.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int MaxLength[ArchiveRecord::TypedCount] = {9, 2, 1, 1, 1, 1, 1, 1, 1,
                                                      1, 1, 1, 1, 1, 1, 3, 2};

bool isSignField(int field)
{
    return field >= ArchiveRecord::FirstSign && field < ArchiveRecord::Serie;
}

auto waitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return qScopeGuard([] { QApplication::restoreOverrideCursor(); });
}

} // namespace

RecordWindow::RecordWindow(Session& session, ArchiveStore& store, ArchiveModel& model, int row,
                           QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_store(store)
    , m_model(model)
    , m_row(row)
    , m_mode(session.ArchiveMode)
    , m_series(new QComboBox(this))
    , m_ok(new QPushButton(QStringLiteral("&OK"), this))
    , m_cancel(new QPushButton(QStringLiteral("&Annulla"), this))
    , m_recompute(new QPushButton(QStringLiteral("Aggiorna tutte le &Colonne"), this))
{
    setObjectName(QStringLiteral("frmRECORD"));
    setWindowTitle(QStringLiteral("Archivio"));

    auto* signs = new QHBoxLayout;
    signs->setSpacing(2);
    for (int field = 0; field < ArchiveRecord::TypedCount; ++field) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txtPro(%1)").arg(field));
        edit->setMaxLength(MaxLength[field]);
        FieldBehaviour::selectOnEntry(edit);
        edit->installEventFilter(this);
        if (isSignField(field)) {
            edit->setAlignment(Qt::AlignCenter);
            edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("XX")) + 14);
            signs->addWidget(edit);
        }
        m_boxes[field] = edit;
    }
    signs->addStretch();
    box(ArchiveRecord::Serie)->hide();
    box(ArchiveRecord::Anno)
        ->setFixedWidth(box(0)->fontMetrics().horizontalAdvance(QStringLiteral("0000-00000")) + 14);
    for (int field : {int(ArchiveRecord::Conc), int(ArchiveRecord::Post)})
        box(field)->setFixedWidth(
            box(field)->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14);

    m_series->setObjectName(QStringLiteral("cboSerie"));
    for (const ArchiveFields::SeriesInfo& series : ArchiveFields::seriesTable())
        m_series->addItem(QLatin1String(series.code));
    // The hidden box follows the list whenever it changes or is opened.
    connect(m_series, &QComboBox::currentTextChanged, this, &RecordWindow::copySeries);
    m_series->view()->installEventFilter(this);

    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_cancel->setObjectName(QStringLiteral("cmdAnnulla"));
    m_recompute->setObjectName(QStringLiteral("cmdAggiorna"));
    connect(m_ok, &QPushButton::clicked, this, &RecordWindow::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &RecordWindow::reject);
    connect(m_recompute, &QPushButton::clicked, this, &RecordWindow::recomputeAll);

    auto* column = new QLabel(QStringLiteral("Colonna Vincente"), this);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Anno (AAAA-AAAA)"), box(ArchiveRecord::Anno));
    fields->addRow(QStringLiteral("Concorso n."), box(ArchiveRecord::Conc));
    fields->addRow(QStringLiteral("Campionati (Serie)"), m_series);
    fields->addRow(QStringLiteral("Posticipo/i in fondo (Si/No)"), box(ArchiveRecord::Post));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_recompute);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(column);
    layout->addLayout(signs);
    layout->addSpacing(6);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    // Tab order: the column, then season, contest, series and the postponed flag.
    QWidget* previous = box(ArchiveRecord::FirstSign);
    const auto chain = [&previous](QWidget* next) {
        setTabOrder(previous, next);
        previous = next;
    };
    for (int field = ArchiveRecord::FirstSign + 1; field < ArchiveRecord::Serie; ++field)
        chain(box(field));
    for (QWidget* next :
         {static_cast<QWidget*>(box(ArchiveRecord::Anno)),
          static_cast<QWidget*>(box(ArchiveRecord::Conc)), static_cast<QWidget*>(m_series),
          static_cast<QWidget*>(box(ArchiveRecord::Post)), static_cast<QWidget*>(m_ok),
          static_cast<QWidget*>(m_cancel), static_cast<QWidget*>(m_recompute)})
        chain(next);

    if (m_mode == QLatin1String(RecordEditorLogic::New)) {
        m_series->setCurrentText(QStringLiteral("ABC"));
        box(ArchiveRecord::Conc)->setText(session.document().NumConcorso.trimmed());
        m_ok->setEnabled(false);
    } else {
        const ArchiveRecord& record = model.record(row);
        for (int field = 0; field < ArchiveRecord::TypedCount; ++field)
            box(field)->setText(record[field]);
        m_series->setCurrentIndex(m_series->findText(record[ArchiveRecord::Serie]));
    }
    // Refilled from the list on its next change or when a box is left.
    box(ArchiveRecord::Serie)->clear();
    setWindowTitle(RecordEditorLogic::caption(m_mode, typed(), int(model.rowCount())));
    if (m_mode == QLatin1String(RecordEditorLogic::Delete)) {
        for (QLineEdit* edit : m_boxes)
            edit->setEnabled(false);
        m_series->setEnabled(false);
        m_ok->setText(QStringLiteral("&Cancella"));
        m_ok->setFocus();
    } else {
        box(ArchiveRecord::FirstSign)->setFocus();
    }
}

ArchiveRecord::TypedFields RecordWindow::typed() const
{
    ArchiveRecord::TypedFields fields;
    for (int field = 0; field < ArchiveRecord::TypedCount; ++field)
        fields[field] = box(field)->text();
    return fields;
}

void RecordWindow::copySeries()
{
    box(ArchiveRecord::Serie)->setText(m_series->currentText());
}

void RecordWindow::boxLeft()
{
    copySeries();
    if (std::none_of(m_boxes.cbegin(), m_boxes.cend(),
                     [](const QLineEdit* edit) { return edit->text().isEmpty(); }))
        m_ok->setEnabled(true);
}

bool RecordWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_series->view()) {
        if (event->type() == QEvent::Show)
            copySeries();
        return false;
    }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit)
        return false;
    if (event->type() == QEvent::FocusOut) {
        boxLeft();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    // Editing and moving keys (Backspace, Tab, arrows) carry no printable text and pass.
    const QString text = key->text();
    if (text.isEmpty() || !text.front().isPrint())
        return false;
    return keyTyped(edit, text.front());
}

bool RecordWindow::keyTyped(QLineEdit* edit, QChar key)
{
    const auto field =
        static_cast<int>(std::find(m_boxes.cbegin(), m_boxes.cend(), edit) - m_boxes.cbegin());
    std::optional<QString> entered;
    if (isSignField(field))
        entered = RecordEditorLogic::signKey(key);
    else if (field == ArchiveRecord::Post)
        entered = RecordEditorLogic::postKey(key);
    else
        return false;
    if (entered) {
        edit->setText(*entered);
        // Leaving first, so that a completed record has OK enabled before the focus moves.
        boxLeft();
        focusNextChild();
    }
    return true;
}

void RecordWindow::confirm()
{
    const ArchiveRecord::TypedFields fields = typed();
    if (const QString refusal = RecordEditorLogic::validate(fields); !refusal.isEmpty()) {
        m_session.prompts().warn(QLatin1String(Session::AppTitle), refusal);
        return;
    }
    QString error;
    bool done = false;
    {
        const auto pointer = waitCursor();
        if (m_mode == QLatin1String(RecordEditorLogic::Modify)) {
            ArchiveRecord record = ArchiveRecord::fromTyped(fields);
            record.id = m_model.record(m_row).id;
            done = m_store.modify(record.id, fields, &error);
            if (done)
                m_model.replaceRecord(m_row, record);
        } else if (m_mode == QLatin1String(RecordEditorLogic::Delete)) {
            done = m_store.remove(m_model.record(m_row).id, &error);
        } else {
            qint64 id = 0;
            done = m_store.add(fields, &id, &error);
        }
    }
    if (!done)
        return databaseError(error);
    if (m_mode != QLatin1String(RecordEditorLogic::Modify))
        m_session.ArchiveMode = QLatin1String(RecordEditorLogic::Closed);
    accept();
}

void RecordWindow::recomputeAll()
{
    QString error;
    bool done = false;
    {
        const auto pointer = waitCursor();
        done = m_store.recomputeAll(&error, &m_session.progress());
    }
    if (!done)
        return databaseError(error);
    // The browser reloads the records with their new measures.
    m_session.ArchiveMode = QLatin1String(RecordEditorLogic::Closed);
    accept();
}

void RecordWindow::databaseError(const QString& error)
{
    m_session.prompts().message(
        {MessageIcon::Critical, QLatin1String(Session::AppTitle), error, MessageButtons::Ok});
}

void RecordWindow::reject()
{
    m_session.ArchiveMode.clear();
    QDialog::reject();
}
