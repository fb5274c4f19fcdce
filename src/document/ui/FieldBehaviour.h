#pragma once

#include <QObject>

#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QWidget;

// Gives a line edit the typing rules the program's fields share: a key filter that enters a
// typed character as another or drops it, and selecting the whole text when the field is
// entered, by keyboard or mouse, so that typing replaces it.
class FieldBehaviour final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FieldBehaviour)
public:
    // The character a typed one enters; nullopt drops it. Editing keys (Backspace, arrows) and
    // shortcuts never reach it.
    using KeyMapping = std::function<std::optional<QChar>(QChar)>;

    static void selectOnEntry(QLineEdit* edit);
    // The same for the text of an editable combo box, which takes the focus for its line edit.
    static void selectOnEntry(QComboBox* box);
    static void filterKeys(QLineEdit* edit, KeyMapping mapping);
    // A filter from a yes/no test of each typed character.
    static KeyMapping accepting(std::function<bool(QChar)> accepts);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FieldBehaviour(QLineEdit* edit, QWidget* focusHolder);
    static FieldBehaviour* of(QLineEdit* edit, QWidget* focusHolder = nullptr);

    QLineEdit* m_edit;
    QWidget* m_focusHolder; // the widget that receives the focus events: the edit or its combo
    bool m_selectOnEntry = false;
    bool m_selectOnRelease = false;
    KeyMapping m_mapping;
};
