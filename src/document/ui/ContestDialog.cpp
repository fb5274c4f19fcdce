#include "document/ui/ContestDialog.h"

#include "document/MatchesLogic.h"
#include "document/ui/FieldBehaviour.h"
#include "session/Session.h"

#include <QCalendarWidget>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ContestDialog::ContestDialog(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_calendar(new QCalendarWidget(this))
    , m_number(new QLineEdit(this))
    , m_date(new QLabel(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("frmCONCORSO"));
    setWindowTitle(session.document().SystemName + QStringLiteral(" - Concorso e Data"));

    m_calendar->setObjectName(QStringLiteral("Calendario"));
    m_calendar->setToolTip(QStringLiteral("Data del Concorso"));
    m_number->setObjectName(QStringLiteral("txtConc"));
    m_number->setMaxLength(2);
    m_number->setFixedWidth(m_number->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    FieldBehaviour::filterKeys(m_number,
                               FieldBehaviour::accepting(&MatchesLogic::acceptsNumberKey));
    FieldBehaviour::selectOnEntry(m_number);
    m_date->setObjectName(QStringLiteral("lblData"));
    m_date->setFrameShape(QFrame::Panel);
    m_date->setFrameShadow(QFrame::Sunken);

    auto* cancel = new QPushButton(QStringLiteral("&Annulla"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    cancel->setObjectName(QStringLiteral("cmdAnnulla"));
    connect(m_ok, &QPushButton::clicked, this, &ContestDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &ContestDialog::reject);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &ContestDialog::showDate);
    connect(m_calendar, &QCalendarWidget::clicked, this, &ContestDialog::dateChosen);
    connect(m_calendar, &QCalendarWidget::activated, this, &ContestDialog::dateChosen);

    const SystemDocument& document = session.document();
    m_calendar->setSelectedDate(SystemDocument::dateFromText(document.DataConcorso));
    m_number->setText(document.NumConcorso);
    showDate();

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Data del Concorso"), m_date);
    fields->addRow(QStringLiteral("Nr. Concorso:"), m_number);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

void ContestDialog::showDate()
{
    m_date->setText(SystemDocument::dateText(m_calendar->selectedDate()).trimmed());
}

void ContestDialog::dateChosen()
{
    showDate();
    m_ok->setFocus();
}

void ContestDialog::confirm()
{
    if (MatchesLogic::applyContest(m_session.document(), m_number->text(),
                                   m_calendar->selectedDate()))
        m_session.markModified();
    accept();
}
