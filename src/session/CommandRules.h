#pragma once

#include <QHash>
#include <QSet>
#include <QString>

struct SystemDocument;

// The points in a system's progress at which command enabling changes.
enum class CommandRule {
    Reset,               // R0: start-up, New, Open
    MatchesConfirmed,    // R1
    PredictionConfirmed, // R2
    ConditionsConfirmed, // R3
    ReductionConfirmed,  // R4
    ReducedStatus,       // R5: follows ReducedCount and MergedCount
    Opened,              // R6: after loading a system
    MatchesCancelled,    // Annulla in the matches dialog of a named system
};

// Which commands are enabled and visible, driven by the rules table. Commands whose windows
// the program does not offer yet can be marked unavailable: they then stay disabled.
class CommandState {
public:
    CommandState();

    void apply(CommandRule rule, const SystemDocument& document);
    void setEnabled(const QString& name, bool enabled);
    void setVisible(const QString& name, bool visible);
    void setAvailable(const QString& name, bool available);

    bool isEnabled(const QString& name) const;
    bool isVisible(const QString& name) const { return !m_hidden.contains(name); }

private:
    void enable(std::initializer_list<const char*> names, bool enabled);

    QHash<QString, bool> m_enabled; // commands not listed are enabled
    QSet<QString> m_hidden;
    QSet<QString> m_unavailable;
};
