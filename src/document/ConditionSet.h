#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <array>

// The kinds of condition, in the order of their enable flags.
enum class ConditionKind {
    SignCounts = 0,
    SignRuns = 1,
    Interruptions = 2,
    Symmetries = 3,
    Parallels = 4,
    Sequences = 5,
    ParallelsStep3 = 6,
};

// The 50 condition parameters of a system: numbers for bounds, texts for excluded sequences.
// Entry 0 carries the number of shares through the files.
class ConditionSet {
public:
    static constexpr int Size = 50;
    static constexpr int SequenceSlots = 7;
    static constexpr int FirstSequenceIndex = 25;

    ConditionSet() { resetToDefaults(); }

    // Entry 0 = 1, entries 1..49 = the number 0.
    void resetToDefaults();

    const QVariant& at(int index) const { return m_entries[index]; }
    void set(int index, const QVariant& value) { m_entries[index] = value; }

    // The numeric value of an entry (texts read as numbers).
    double number(int index) const;
    // The entry as text: texts as they are, numbers in plain decimal form.
    QString text(int index) const;

    // Index of the first entry (the signs) of excluded sequence `slot` (0..6).
    static int sequenceIndex(int slot) { return FirstSequenceIndex + 3 * slot; }

    QVariantList toList() const;
    // Takes up to 50 values; missing entries keep their defaults.
    void fromList(const QVariantList& values);

    friend bool operator==(const ConditionSet&, const ConditionSet&) = default;

private:
    std::array<QVariant, Size> m_entries;
};

// Seven '1'/'0' characters, one per ConditionKind.
namespace EnableFlagsText {
inline const QString Default = QStringLiteral("1000000");
bool isEnabled(const QString& flags, ConditionKind kind);
QString withKind(QString flags, ConditionKind kind, bool enabled);
} // namespace EnableFlagsText
