#pragma once

#include <QObject>

#include <functional>
#include <optional>

class QLineEdit;

// Gives a line edit the typing rules the program's fields share: a key filter that enters a
// typed character as another or drops it, and selecting the whole text when the field is
// entered, so that typing replaces it.
class FieldBehaviour final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FieldBehaviour)
public:
    // The character a typed one enters; nullopt drops it. Editing keys (Backspace, arrows) and
    // shortcuts never reach it.
    using KeyMapping = std::function<std::optional<QChar>(QChar)>;

    static void selectOnEntry(QLineEdit* edit);
    static void filterKeys(QLineEdit* edit, KeyMapping mapping);
    // A filter from a yes/no test of each typed character.
    static KeyMapping accepting(std::function<bool(QChar)> accepts);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FieldBehaviour(QLineEdit* edit);
    static FieldBehaviour* of(QLineEdit* edit);

    QLineEdit* m_edit;
    bool m_selectOnEntry = false;
    KeyMapping m_mapping;
};
