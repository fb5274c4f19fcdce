#include "conditions/GuaranteeCover.h"

#include "document/IntegralGenerator.h"

#include <QRandomGenerator>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <unordered_set>
#include <vector>

namespace GuaranteeCover {

namespace {

constexpr int Matches = ColumnBuffer::Width;
constexpr std::uint32_t Space = 1594323; // 3^13

constexpr std::array<std::uint32_t, Matches> weights()
{
    std::array<std::uint32_t, Matches> w{};
    std::uint32_t value = 1;
    for (int i = Matches - 1; i >= 0; --i) {
        w[i] = value;
        value *= 3;
    }
    return w;
}
constexpr std::array<std::uint32_t, Matches> Weight = weights();

int digitOf(char sign)
{
    return sign == 'X' ? 1 : sign == '2' ? 2 : 0;
}

std::uint32_t indexOf(const char* column)
{
    std::uint32_t index = 0;
    for (int i = 0; i < Matches; ++i)
        index += digitOf(column[i]) * Weight[i];
    return index;
}

using Digits = std::array<int, Matches>;

Digits digitsOf(std::uint32_t index)
{
    Digits d{};
    for (int i = Matches - 1; i >= 0; --i) {
        d[i] = int(index % 3);
        index /= 3;
    }
    return d;
}

int distance(std::uint32_t a, std::uint32_t b)
{
    int errors = 0;
    for (int i = 0; i < Matches; ++i) {
        errors += (a % 3) != (b % 3);
        a /= 3;
        b /= 3;
    }
    return errors;
}

// Calls f on every column within `radius` errors of the one with these digits.
template <typename F> void forBall(std::uint32_t index, const Digits& d, int radius, int from, F& f)
{
    for (int i = from; i < Matches; ++i) {
        for (int step = 1; step <= 2; ++step) {
            const int changed = (d[i] + step) % 3;
            const std::uint32_t next = index + changed * Weight[i] - d[i] * Weight[i];
            f(next);
            if (radius > 1)
                forBall(next, d, radius - 1, i + 1, f);
        }
    }
}

template <typename F> void forBall(std::uint32_t index, int radius, F&& f)
{
    f(index);
    if (radius > 0)
        forBall(index, digitsOf(index), radius, 0, f);
}

int ballSize(int radius)
{
    int size = 1, choose = 1;
    for (int r = 1; r <= radius; ++r) {
        choose = choose * (Matches - r + 1) / r;
        size += choose * (1 << r);
    }
    return size;
}

// A linear code on the free matches (every sign played) whose parity checks leave no syndrome
// farther than `radius` columns of the check matrix: kernel of that matrix. Empty when none of
// the tried matrices works.
std::vector<std::vector<int>> linearCode(int length, int radius)
{
    if (length == 0)
        return {{}};
    QRandomGenerator random(1313);
    // The most parity checks the sphere bound allows first: each one divides the code by 3.
    long long reach = 1, choose = 1;
    for (int r = 1; r <= radius && r <= length; ++r) {
        choose = choose * (length - r + 1) / r;
        reach += choose * (1LL << r);
    }
    int mostRows = 0;
    for (long long syndromes = 3; syndromes <= reach; syndromes *= 3)
        ++mostRows;
    for (int rows = mostRows; rows >= 1; --rows) {
        int syndromes = 1;
        for (int r = 0; r < rows; ++r)
            syndromes *= 3;
        const auto add = [rows](int a, int b) {
            int sum = 0, w = 1;
            for (int r = 0; r < rows; ++r, a /= 3, b /= 3, w *= 3)
                sum += ((a % 3 + b % 3) % 3) * w;
            return sum;
        };
        // Syndromes that no combination of at most `radius` matrix columns reaches.
        const auto missing = [&](const std::vector<int>& column) {
            std::vector<char> reached(std::size_t(syndromes), 0);
            reached[0] = 1;
            std::vector<int> multiples;
            for (int j = 0; j < length; ++j) {
                multiples.push_back(column[j]);
                multiples.push_back(add(column[j], column[j]));
            }
            for (std::size_t a = 0; a < multiples.size(); ++a) {
                reached[std::size_t(multiples[a])] = 1;
                if (radius > 1)
                    for (std::size_t b = (a / 2 + 1) * 2; b < multiples.size(); ++b)
                        reached[std::size_t(add(multiples[a], multiples[b]))] = 1;
            }
            return int(std::count(reached.begin(), reached.end(), 0));
        };
        std::vector<int> column(static_cast<std::size_t>(length));
        if (radius == 1) {
            // The distinct projective points in turn cover whenever there are enough of them.
            const int points = (syndromes - 1) / 2;
            if (points > length)
                continue;
            for (int s = 1, seen = 0; s < syndromes && seen < length; ++s) {
                int lead = s;
                while (lead % 3 == 0)
                    lead /= 3;
                if (lead % 3 == 1)
                    column[std::size_t(seen++)] = s;
            }
            for (int j = points; j < length; ++j)
                column[std::size_t(j)] = column[std::size_t(j % points)];
            if (missing(column) > 0)
                continue;
        } else {
            // Hill climbing on the matrix columns, restarted now and then.
            int left = 1;
            for (int restart = 0; restart < 20 && left > 0; ++restart) {
                for (int& c : column)
                    c = 1 + int(random.bounded(syndromes - 1));
                left = missing(column);
                for (int step = 0; step < 3000 && left > 0; ++step) {
                    const std::size_t j = random.bounded(quint32(length));
                    const int before = column[j];
                    column[j] = 1 + int(random.bounded(syndromes - 1));
                    const int now = missing(column);
                    if (now <= left)
                        left = now;
                    else
                        column[j] = before;
                }
            }
            if (left > 0)
                continue;
        }
        // Every word of the kernel, counting like an odometer whose last digit turns
        // fastest; partial[k] is the syndrome of the first k digits.
        std::vector<std::vector<int>> words;
        std::vector<int> word(length, 0);
        std::vector<int> partial(length + 1, 0);
        for (;;) {
            if (partial[length] == 0)
                words.push_back(word);
            int j = length - 1;
            while (j >= 0 && word[j] == 2)
                word[j--] = 0;
            if (j < 0)
                break;
            ++word[j];
            partial[j + 1] = add(partial[j + 1], column[j]);
            for (int k = j + 1; k < length; ++k)
                partial[k + 1] = partial[j + 1];
        }
        return words;
    }
    return {};
}

class Search {
public:
    explicit Search(const Request& request)
        : m_request(request)
        , m_radius(radiusOf(request.level))
        , m_start(std::chrono::steady_clock::now())
    {}

    Result run();

private:
    bool stopRequested() const
    {
        return m_request.stop && m_request.stop->load(std::memory_order_relaxed);
    }
    bool timeLeft() const
    {
        return std::chrono::steady_clock::now() - m_start <
               std::chrono::milliseconds(m_request.budgetMilliseconds);
    }
    void report(bool force = false)
    {
        if (!m_request.progress)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (force || now - m_lastReport > std::chrono::milliseconds(100)) {
            m_lastReport = now;
            m_request.progress(qsizetype(m_played.size()));
        }
    }

    void play(std::uint32_t column);
    void unplay(std::uint32_t column);
    bool redundant(std::uint32_t column) const;
    void reset();
    void greedy();
    bool seedFromCode();
    void dropRedundant();
    void improve();

    const Request& m_request;
    const int m_radius;
    const std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastReport{};
    QRandomGenerator m_random{1313};

    std::vector<std::uint32_t> m_targets;
    std::vector<char> m_isTarget = std::vector<char>(Space, 0);
    std::vector<char> m_isCandidate = std::vector<char>(Space, 0);
    std::vector<std::uint16_t> m_coverCount = std::vector<std::uint16_t>(Space, 0);
    std::vector<std::uint32_t> m_position = std::vector<std::uint32_t>(Space, UINT32_MAX);
    std::vector<std::uint32_t> m_played;
    qsizetype m_uncovered = 0;
};

void Search::play(std::uint32_t column)
{
    m_position[column] = std::uint32_t(m_played.size());
    m_played.push_back(column);
    forBall(column, m_radius, [this](std::uint32_t t) {
        if (m_isTarget[t] && m_coverCount[t]++ == 0)
            --m_uncovered;
    });
}

void Search::unplay(std::uint32_t column)
{
    const std::uint32_t at = m_position[column];
    m_played[at] = m_played.back();
    m_position[m_played[at]] = at;
    m_played.pop_back();
    m_position[column] = UINT32_MAX;
    forBall(column, m_radius, [this](std::uint32_t t) {
        if (m_isTarget[t] && --m_coverCount[t] == 0)
            ++m_uncovered;
    });
}

bool Search::redundant(std::uint32_t column) const
{
    bool needed = false;
    forBall(column, m_radius,
            [&](std::uint32_t t) { needed |= m_isTarget[t] && m_coverCount[t] < 2; });
    return !needed;
}

void Search::reset()
{
    for (std::uint32_t column : m_played)
        m_position[column] = UINT32_MAX;
    m_played.clear();
    for (std::uint32_t t : m_targets)
        m_coverCount[t] = 0;
    m_uncovered = qsizetype(m_targets.size());
}

// Greedy by newly covered targets, counts kept exact as targets get covered; a count only
// falls, so a candidate whose count is below its bucket's moves down when it reaches the head.
void Search::greedy()
{
    const int most = ballSize(m_radius);
    std::vector<std::vector<std::uint32_t>> buckets(most + 1);
    // Counted from the targets' side: a conditioned system is far smaller than its candidates.
    std::vector<std::uint16_t> gain(Space, 0);
    for (std::uint32_t t : m_targets)
        if (!m_coverCount[t])
            forBall(t, m_radius, [&](std::uint32_t c) { ++gain[c]; });
    for (std::uint32_t c = 0; c < Space; ++c)
        if (gain[c] > 0 && m_isCandidate[c] && m_position[c] == UINT32_MAX)
            buckets[gain[c]].push_back(c);
    int top = most;
    qsizetype picks = 0;
    while (m_uncovered > 0 && top > 0) {
        if (buckets[top].empty()) {
            --top;
            continue;
        }
        const std::uint32_t c = buckets[top].back();
        buckets[top].pop_back();
        if (m_position[c] != UINT32_MAX)
            continue;
        if (gain[c] < top) {
            if (gain[c] > 0)
                buckets[gain[c]].push_back(c);
            continue;
        }
        if (picks++ % 256 == 0) {
            report();
            if (stopRequested())
                break;
        }
        forBall(c, m_radius, [&](std::uint32_t t) {
            if (m_isTarget[t] && !m_coverCount[t])
                forBall(t, m_radius, [&](std::uint32_t other) { --gain[other]; });
        });
        play(c);
    }
}

// On a full product of the prediction the free matches carry a linear code, the fixed matches
// their sign and the doubles every combination of their two signs.
bool Search::seedFromCode()
{
    std::vector<int> free, doubles;
    std::array<std::array<int, 3>, Matches> choices{};
    for (int i = 0; i < Matches; ++i) {
        const QString& s = m_request.signs[i];
        for (int k = 0; k < s.size(); ++k)
            choices[i][k] = digitOf(char(s[k].toLatin1()));
        if (s.size() == 3)
            free.push_back(i);
        else if (s.size() == 2)
            doubles.push_back(i);
        else if (s.size() != 1)
            return false;
    }
    const std::vector<std::vector<int>> code = linearCode(int(free.size()), m_radius);
    if (code.empty())
        return false;
    std::uint32_t base = 0;
    for (int i = 0; i < Matches; ++i)
        if (m_request.signs[i].size() == 1)
            base += choices[i][0] * Weight[i];
    for (const std::vector<int>& word : code) {
        std::uint32_t column = base;
        for (std::size_t j = 0; j < free.size(); ++j)
            column += word[j] * Weight[free[j]];
        for (std::uint32_t mask = 0; mask < (1u << doubles.size()); ++mask) {
            std::uint32_t full = column;
            for (std::size_t j = 0; j < doubles.size(); ++j)
                full += choices[doubles[j]][(mask >> j) & 1] * Weight[doubles[j]];
            if (m_position[full] == UINT32_MAX)
                play(full);
        }
    }
    return m_uncovered == 0;
}

void Search::dropRedundant()
{
    std::vector<std::uint32_t> order = m_played;
    std::shuffle(order.begin(), order.end(), m_random);
    for (std::uint32_t column : order)
        if (redundant(column))
            unplay(column);
}

// Swaps a played column for another that covers what only it covered, then drops the played
// columns that the newcomer made redundant. The cover stays complete throughout and never
// grows, so the current one is the best so far.
void Search::improve()
{
    const int lowerBound = int((m_targets.size() + ballSize(m_radius) - 1) / ballSize(m_radius));
    std::vector<std::uint32_t> alone, replacements;
    qsizetype moves = 0;
    while (qsizetype(m_played.size()) > lowerBound) {
        if (moves++ % 64 == 0) {
            report();
            if (stopRequested() || !timeLeft())
                break;
        }
        const std::uint32_t p = m_played[m_random.bounded(quint32(m_played.size()))];
        alone.clear();
        forBall(p, m_radius, [&](std::uint32_t t) {
            if (m_isTarget[t] && m_coverCount[t] == 1)
                alone.push_back(t);
        });
        if (alone.empty()) {
            unplay(p);
            continue;
        }
        replacements.clear();
        forBall(alone.front(), m_radius, [&](std::uint32_t c) {
            if (c == p || !m_isCandidate[c] || m_position[c] != UINT32_MAX)
                return;
            for (std::uint32_t t : alone)
                if (distance(c, t) > m_radius)
                    return;
            replacements.push_back(c);
        });
        if (replacements.empty())
            continue;
        const std::uint32_t c = replacements[m_random.bounded(quint32(replacements.size()))];
        play(c);
        unplay(p);
        forBall(c, 2 * m_radius, [&](std::uint32_t q) {
            if (q != c && m_position[q] != UINT32_MAX && redundant(q))
                unplay(q);
        });
    }
}

Result Search::run()
{
    const ColumnBuffer& targets = m_request.targets;
    m_targets.reserve(std::size_t(targets.count()));
    for (qsizetype i = 0; i < targets.count(); ++i) {
        const std::uint32_t t = indexOf(targets.columnData(i));
        if (!m_isTarget[t])
            m_targets.push_back(t);
        m_isTarget[t] = 1;
        m_isCandidate[t] = 1;
    }
    m_uncovered = qsizetype(m_targets.size());
    ColumnBuffer integral;
    const qint32 integralCount = IntegralGenerator::integralCount(m_request.signs);
    const bool fullProduct = integralCount > 0 && qsizetype(m_targets.size()) == integralCount;
    if (m_request.source == Source::Integral || fullProduct) {
        integral = IntegralGenerator::generate(m_request.signs);
        for (qsizetype i = 0; i < integral.count(); ++i)
            m_isCandidate[indexOf(integral.columnData(i))] = 1;
    }

    // Every target lies in the full product, so equal counts mean equal sets.
    bool seeded = fullProduct && seedFromCode();
    if (seeded && m_targets.size() <= 20000) {
        // Small enough to try the greedy as well and keep the smaller start.
        std::vector<std::uint32_t> code = m_played;
        reset();
        greedy();
        dropRedundant();
        if (m_uncovered > 0 || m_played.size() > code.size()) {
            reset();
            for (std::uint32_t column : code)
                play(column);
        }
    } else if (!seeded) {
        reset();
        greedy();
    }
    // A stop during the greedy still leaves a complete cover: every target covers itself.
    if (m_uncovered > 0)
        for (std::uint32_t t : m_targets)
            if (m_coverCount[t] == 0)
                play(t);
    report(true);
    if (!stopRequested()) {
        dropRedundant();
        improve();
    }
    report(true);

    Result result;
    result.stopped = stopRequested();
    result.played.reserve(qsizetype(m_played.size()));
    const ColumnBuffer& order = integral.isEmpty() ? targets : integral;
    for (qsizetype i = 0; i < order.count(); ++i) {
        const std::uint32_t c = indexOf(order.columnData(i));
        if (m_position[c] != UINT32_MAX) {
            result.played.append(order.column(i));
            m_position[c] = UINT32_MAX; // a column listed twice is played once
        }
    }
    // Targets outside the prediction come last.
    if (!integral.isEmpty())
        for (qsizetype i = 0; i < targets.count(); ++i)
            if (m_position[indexOf(targets.columnData(i))] != UINT32_MAX) {
                result.played.append(targets.column(i));
                m_position[indexOf(targets.columnData(i))] = UINT32_MAX;
            }
    return result;
}

} // namespace

int radiusOf(int level)
{
    return level == 11 ? 2 : 1;
}

Result build(const Request& request)
{
    return Search(request).run();
}

bool Check::covers(int level) const
{
    qsizetype beyond = farther;
    for (int d = radiusOf(level) + 1; d < 3; ++d)
        beyond += atDistance[d];
    return beyond == 0;
}

Check verify(const ColumnBuffer& targets, const ColumnBuffer& played)
{
    std::unordered_set<std::string> lookup;
    lookup.reserve(std::size_t(played.count()));
    for (qsizetype i = 0; i < played.count(); ++i)
        lookup.emplace(played.columnData(i), std::size_t(Matches));
    static constexpr char Signs[3] = {'1', 'X', '2'};
    Check check;
    for (qsizetype i = 0; i < targets.count(); ++i) {
        std::string column(targets.columnData(i), std::size_t(Matches));
        int found = lookup.contains(column) ? 0 : -1;
        for (int a = 0; a < Matches && found < 0; ++a) {
            const char keepA = column[a];
            for (char sa : Signs) {
                if (sa == keepA)
                    continue;
                column[a] = sa;
                if (lookup.contains(column))
                    found = 1;
            }
            column[a] = keepA;
        }
        for (int a = 0; a < Matches && found < 0; ++a) {
            const char keepA = column[a];
            for (int b = a + 1; b < Matches && found < 0; ++b) {
                const char keepB = column[b];
                for (char sa : Signs)
                    for (char sb : Signs) {
                        if (sa == keepA || sb == keepB)
                            continue;
                        column[a] = sa;
                        column[b] = sb;
                        if (lookup.contains(column))
                            found = 2;
                    }
                column[a] = keepA;
                column[b] = keepB;
            }
        }
        if (found < 0)
            ++check.farther;
        else
            ++check.atDistance[std::size_t(found)];
    }
    return check;
}

} // namespace GuaranteeCover
