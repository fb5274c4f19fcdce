#pragma once

#include "document/AdvancedConditions.h"
#include "document/ConditionSet.h"
#include "platform/ColumnBuffer.h"

#include <QObject>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// Counts the columns a reduction would leave on a thread of its own, so that a window can ask
// at every keystroke without waiting. Only the latest request matters: one still waiting is
// replaced by a newer one, and a result that a newer request or a cancel has overtaken is never
// announced.
class LiveCountRunner final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LiveCountRunner)
public:
    explicit LiveCountRunner(QObject* parent = nullptr);
    ~LiveCountRunner() override;

    void request(const ColumnBuffer& integral, const ConditionSet& conditions,
                 const QString& enableFlags, const AdvancedConditions& advanced = {});
    // Whatever was asked before is not announced.
    void cancel();

signals:
    // On the thread the runner lives in, for the latest request only.
    void counted(qsizetype count);

private:
    struct Job {
        quint64 generation = 0;
        ColumnBuffer integral;
        ConditionSet conditions;
        QString enableFlags;
        AdvancedConditions advanced;
    };

    void work();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Job> m_waiting;
    bool m_stopping = false;
    // Read and written on the thread the runner lives in only.
    quint64 m_generation = 0;
    std::thread m_worker;
};
