#include "document/ui/FieldBehaviour.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

FieldBehaviour::FieldBehaviour(QLineEdit* edit, QWidget* focusHolder)
    : QObject(edit)
    , m_edit(edit)
    , m_focusHolder(focusHolder ? focusHolder : edit)
{
    edit->installEventFilter(this);
    if (m_focusHolder != edit)
        m_focusHolder->installEventFilter(this);
}

FieldBehaviour* FieldBehaviour::of(QLineEdit* edit, QWidget* focusHolder)
{
    if (auto* existing = edit->findChild<FieldBehaviour*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new FieldBehaviour(edit, focusHolder);
}

void FieldBehaviour::selectOnEntry(QLineEdit* edit)
{
    of(edit)->m_selectOnEntry = true;
}

void FieldBehaviour::selectOnEntry(QComboBox* box)
{
    Q_ASSERT(box->lineEdit());
    of(box->lineEdit(), box)->m_selectOnEntry = true;
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
    if (watched != m_edit && watched != m_focusHolder)
        return false;

    // The focus events of an editable combo box reach the box or its line edit, depending on
    // how the focus came.
    if (event->type() == QEvent::FocusIn && m_selectOnEntry) {
        // Deferred: the mouse press that brings the focus places the cursor right after.
        QTimer::singleShot(0, m_edit, &QLineEdit::selectAll);
        // A hand that moves while pressing would drag a selection of its own over it: the
        // click that entered the field selects everything once the button is released.
        m_selectOnRelease = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
        return false;
    }
    if (watched == m_edit && event->type() == QEvent::MouseButtonRelease && m_selectOnRelease) {
        m_selectOnRelease = false;
        m_edit->selectAll();
        return false;
    }
    if (watched != m_edit)
        return false;

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
