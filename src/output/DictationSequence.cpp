#include "output/DictationSequence.h"

#include "platform/MergedColumns.h"

DictationSequence::DictationSequence(const SlipLayout::SlipSource& source, qsizetype from,
                                     qsizetype to)
    : m_source(source)
    , m_from(from)
    , m_to(to)
{}

bool DictationSequence::enterColumn()
{
    const qsizetype count = m_source.count();
    while (++m_index < count) {
        m_columnSlip = m_slip;
        m_columnPosition = m_position;
        if (SlipLayout::slipEndsAfter(m_index + 1, m_position, count)) {
            ++m_slip;
            m_position = 1;
        } else {
            ++m_position;
        }
        if (m_columnSlip > m_to)
            return false;
        if (m_columnSlip >= m_from) {
            m_newSlipPending = m_columnPosition == 1;
            m_match = 0;
            return true;
        }
    }
    return false;
}

std::optional<DictationSequence::Step> DictationSequence::next()
{
    if (m_match > 13 && !enterColumn()) {
        m_match = 14;
        return std::nullopt;
    }
    Step step;
    step.slip = m_columnSlip;
    step.position = m_columnPosition;
    step.column = m_index;
    if (std::exchange(m_newSlipPending, false)) {
        step.kind = Kind::NewSlip;
        step.file = QStringLiteral("Nuova.wav");
    } else if (m_match == 0) {
        ++m_match;
        step.kind = Kind::Column;
        step.file = QStringLiteral("Col%1.wav").arg(m_columnPosition);
    } else {
        step.kind = Kind::Play;
        step.match = m_match++;
        step.file = MergedColumns::playText(m_source.play(m_index, step.match - 1)) +
                    QStringLiteral(".wav");
    }
    return step;
}

double DictationSequence::waitAfter(Kind kind, double delay)
{
    switch (kind) {
    case Kind::NewSlip:
        return 0.5;
    case Kind::Column:
        return 0.8;
    case Kind::Play:
        break;
    }
    return delay;
}

const QStringList& DictationSequence::soundFiles()
{
    static const QStringList Files = {
        QStringLiteral("Nuova.wav"), QStringLiteral("Col1.wav"), QStringLiteral("Col2.wav"),
        QStringLiteral("Col3.wav"),  QStringLiteral("Col4.wav"), QStringLiteral("1.wav"),
        QStringLiteral("X.wav"),     QStringLiteral("2.wav"),    QStringLiteral("1X.wav"),
        QStringLiteral("X2.wav"),    QStringLiteral("12.wav")};
    return Files;
}
