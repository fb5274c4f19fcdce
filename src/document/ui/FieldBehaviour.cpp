#include "document/ui/FieldBehaviour.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

FieldBehaviour::FieldBehaviour(QLineEdit* edit)
    : QObject(edit)
    , m_edit(edit)
{
    edit->installEventFilter(this);
}

FieldBehaviour* FieldBehaviour::of(QLineEdit* edit)
{
    if (auto* existing = edit->findChild<FieldBehaviour*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new FieldBehaviour(edit);
}

void FieldBehaviour::selectOnEntry(QLineEdit* edit)
{
    of(edit)->m_selectOnEntry = true;
}

void FieldBehaviour::filterKeys(QLineEdit* edit, KeyMapping mapping)
{
    of(edit)->m_mapping = std::move(mapping);
}

FieldBehaviour::KeyMapping FieldBehaviour::accepting(std::function<bool(QChar)> accepts)
{
    return [accepts = std::move(accepts)](QChar typed) -> std::optional<QChar> {
        if (accepts(typed))
            return typed;
        return std::nullopt;
    };
}

bool FieldBehaviour::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit)
        return false;

    if (event->type() == QEvent::FocusIn && m_selectOnEntry) {
        // Deferred: a mouse press that brings the focus would otherwise place the cursor over
        // the selection right after.
        QTimer::singleShot(0, m_edit, &QLineEdit::selectAll);
        return false;
    }

    if (event->type() != QEvent::KeyPress || !m_mapping)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.front().isPrint())
        return false;

    QString entered;
    for (QChar c : typed) {
        if (const std::optional<QChar> mapped = m_mapping(c))
            entered += *mapped;
    }
    if (entered == typed)
        return false;
    if (!entered.isEmpty())
        m_edit->insert(entered);
    return true;
}
