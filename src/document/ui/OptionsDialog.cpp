#include "document/ui/OptionsDialog.h"

#include "document/ui/FieldBehaviour.h"
#include "document/ui/FolderDialog.h"
#include "platform/UserPrompts.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

OptionsDialog::OptionsDialog(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_info(new QCheckBox(
          QStringLiteral("Visualizza finestra Informazioni Pronostico all'apertura"), this))
{
    setObjectName(QStringLiteral("frmOPZIONI"));
    setWindowTitle(QLatin1String(Session::AppTitle) + QStringLiteral(" - Opzioni"));

    auto* form = new QFormLayout;
    for (int field = 1; field <= OptionsLogic::FieldCount; ++field) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txtOpt(%1)").arg(field));
        if (const int length = OptionsLogic::maxLength(field))
            edit->setMaxLength(length);
        FieldBehaviour::filterKeys(edit, FieldBehaviour::accepting([field](QChar typed) {
                                       return OptionsLogic::acceptsKey(field, typed);
                                   }));
        FieldBehaviour::selectOnEntry(edit);
        if (field <= OptionsLogic::VisibleFields)
            form->addRow(OptionsLogic::label(field), edit);
        else
            edit->hide();
        m_fields[field - 1] = edit;
    }
    m_fields[0]->setMinimumWidth(320);
    m_fields[OptionsLogic::SharesField - 1]->installEventFilter(this);
    m_info->setObjectName(QStringLiteral("chkInfo"));

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    auto* close = new QPushButton(QStringLiteral("&Chiudi"), this);
    auto* search = new QPushButton(QStringLiteral("&Cerca"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    close->setObjectName(QStringLiteral("cmdChiudi"));
    search->setObjectName(QStringLiteral("cmdCerca"));
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::confirm);
    connect(close, &QPushButton::clicked, this, &OptionsDialog::reject);
    connect(search, &QPushButton::clicked, this, &OptionsDialog::chooseFolder);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(search);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_info);
    layout->addLayout(buttons);

    load();
}

void OptionsDialog::load()
{
    const bool stored = QFileInfo::exists(m_session.appFilePath(Options::fileName()));
    const Options shown =
        stored ? m_session.options() : Options::dialogDefaults(m_session.defaultSystemsFolder());
    const OptionsLogic::Fields texts = OptionsLogic::fieldsOf(shown);
    for (int i = 0; i < OptionsLogic::FieldCount; ++i)
        m_fields[i]->setText(texts[i]);
    m_info->setChecked(stored && texts[Options::ShowPropertiesOnOpen] == QLatin1String("S"));
}

OptionsLogic::Fields OptionsDialog::fields() const
{
    OptionsLogic::Fields texts;
    for (int i = 0; i < OptionsLogic::FieldCount; ++i)
        texts[i] = m_fields[i]->text();
    return texts;
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_fields[OptionsLogic::SharesField - 1] && event->type() == QEvent::FocusOut) {
        // Only leaving the field for another control counts; a window that merely takes the
        // focus for a moment (a message box, a menu) is no answer yet.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            checkShares();
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::checkShares()
{
    QLineEdit* shares = m_fields[OptionsLogic::SharesField - 1];
    const OptionsLogic::SharesCheck check = OptionsLogic::checkShares(shares->text());
    if (check.error) {
        m_session.prompts().warn(m_session.messageTitle(), *check.error);
        // The user corrects the value where it was typed.
        shares->setFocus(Qt::OtherFocusReason);
    } else {
        shares->setText(check.text);
    }
}

void OptionsDialog::confirm()
{
    const OptionsLogic::Fields texts = fields();
    if (const std::optional<OptionsLogic::Refusal> refusal = OptionsLogic::validationError(texts)) {
        m_session.prompts().warn(m_session.messageTitle(), refusal->message);
        // The message does not say which field is missing: the cursor shows it.
        m_fields[refusal->field - 1]->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_session.options() = OptionsLogic::result(texts, m_info->isChecked());
    m_session.writeOptions();
    accept();
}

void OptionsDialog::chooseFolder()
{
    FolderDialog chooser(m_fields[0]->text(), this);
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFolder().isEmpty())
        m_fields[0]->setText(chooser.selectedFolder());
}
