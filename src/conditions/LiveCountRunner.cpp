#include "conditions/LiveCountRunner.h"

#include "conditions/LiveColumnCount.h"

LiveCountRunner::LiveCountRunner(QObject* parent)
    : QObject(parent)
    , m_worker([this] { work(); })
{}

LiveCountRunner::~LiveCountRunner()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_waiting.reset();
    }
    m_wake.notify_one();
    m_worker.join();
}

void LiveCountRunner::request(const ColumnBuffer& integral, const ConditionSet& conditions,
                              const QString& enableFlags, const AdvancedConditions& advanced)
{
    {
        const std::lock_guard lock(m_mutex);
        // The buffer's bytes are shared, not copied: the worker only reads them.
        m_waiting = Job{++m_generation, integral, conditions, enableFlags, advanced};
    }
    m_wake.notify_one();
}

void LiveCountRunner::cancel()
{
    const std::lock_guard lock(m_mutex);
    ++m_generation;
    m_waiting.reset();
}

void LiveCountRunner::work()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || m_waiting.has_value(); });
            if (m_stopping)
                return;
            job = std::move(*m_waiting);
            m_waiting.reset();
        }
        const qsizetype count =
            LiveColumnCount::count(job.integral, job.conditions, job.enableFlags, job.advanced);
        // Checked again where the result arrives: a request made while it travelled wins.
        QMetaObject::invokeMethod(
            this,
            [this, generation = job.generation, count] {
                if (generation == m_generation)
                    emit counted(count);
            },
            Qt::QueuedConnection);
    }
}
