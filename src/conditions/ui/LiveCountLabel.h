#pragma once

#include <QLabel>

#include <optional>

class AdvancedConditions;
class ColumnBuffer;
class ConditionSet;
class LiveCountRunner;
struct SystemDocument;

// lblRimaste: "Colonne rimaste: ..." for the values a window shows, counted in the background.
// While values cannot be counted (an empty box, a value OK would refuse) it shows "-" rather
// than a count that belongs to other values.
class LiveCountLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LiveCountLabel)
public:
    explicit LiveCountLabel(QWidget* parent);

    // The label keeps its text until the count of these values arrives.
    void count(const ColumnBuffer& integral, const ConditionSet& conditions,
               const QString& enableFlags, const AdvancedConditions& advanced);
    void showUnknown();
    // The count of a bounds dialog's typed conditions with the system's integral, flags and
    // advanced conditions; "-" when nothing can be counted.
    void countTyped(const std::optional<ConditionSet>& typed, const SystemDocument& document);

    // The flags a reduction started now would obey: the enabling window's boxes when the
    // window `near` belongs to has it open, the system's own flags otherwise.
    static QString enableFlagsFor(const QWidget* near, const SystemDocument& document);

private:
    LiveCountRunner* m_runner;
};
