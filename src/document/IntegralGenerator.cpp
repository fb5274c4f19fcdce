#include "document/IntegralGenerator.h"

#include <cstring>
#include <vector>

namespace IntegralGenerator {

namespace {

constexpr qsizetype W = ColumnBuffer::Width;

struct PlayedMatch {
    int position;
    QByteArray signs;
};

// Lays `matches` over `count` columns of `data` as a mixed-radix count, the first match varying
// fastest: match m changes sign every product-of-earlier-lengths columns. Each match is laid by
// copying the block built so far once per further sign, so the work is a few large copies.
void layMixedRadix(char* data, const std::vector<PlayedMatch>& matches)
{
    qsizetype period = 1;
    for (const PlayedMatch& match : matches) {
        const qsizetype length = match.signs.size();
        for (qsizetype copy = length - 1; copy >= 0; --copy) {
            char* block = data + copy * period * W;
            if (copy > 0)
                std::memcpy(block, data, period * W);
            for (qsizetype k = 0; k < period; ++k)
                block[k * W + match.position] = match.signs[copy];
        }
        period *= length;
    }
}

} // namespace

qint32 integralCount(const std::array<QString, 13>& signs)
{
    double count = 1;
    for (const QString& field : signs) {
        const qsizetype length = field.trimmed().size();
        if (length == 2)
            count *= 2;
        else if (length == 3)
            count *= 3;
    }
    return count == 1 ? 0 : static_cast<qint32>(count);
}

// Doubles and triples advance independently: the d-th double follows floor(j / 2^d) mod 2 and
// the t-th triple floor(j / 3^t) mod 3. The triples (with the fixed signs) form one mixed-radix
// sequence of period 3^T and the doubles another of period 2^D; since the two periods are
// coprime, column j joins entry j mod 3^T of the first with entry j mod 2^D of the second.
ColumnBuffer generate(const std::array<QString, 13>& signs, const std::function<void(int)>& onMatch)
{
    ColumnBuffer columns;
    generateInto(columns, signs, onMatch);
    return columns;
}

void generateInto(ColumnBuffer& columns, const std::array<QString, 13>& signs,
                  const std::function<void(int)>& onMatch)
{
    const qint32 count = integralCount(signs);
    columns.resize(count);

    std::vector<PlayedMatch> doubles, triples;
    QByteArray fixed(W, ' ');
    for (int i = 0; i < 13; ++i) {
        if (onMatch)
            onMatch(i + 1);
        const QByteArray s = signs[i].trimmed().toLatin1();
        if (s.size() == 2)
            doubles.push_back({i, s});
        else if (s.size() == 3)
            triples.push_back({i, s});
        else if (s.size() == 1)
            fixed[i] = s[0];
    }
    if (count == 0)
        return;

    qsizetype tripleCount = 1;
    for (std::size_t t = 0; t < triples.size(); ++t)
        tripleCount *= 3;
    const qsizetype doubleCount = count / tripleCount;

    // The triple sequence is laid straight into the output; when there are doubles too, it is
    // then repeated over the whole buffer and the doubles are written over it.
    char* data = columns.records().data();
    std::memcpy(data, fixed.constData(), W);
    layMixedRadix(data, triples);
    if (doubleCount == 1)
        return;

    for (qsizetype filled = tripleCount; filled < count;) {
        const qsizetype n = std::min(filled, count - filled);
        std::memcpy(data + filled * W, data, n * W);
        filled += n;
    }
    std::vector<char> doubleSeq(doubleCount * W);
    layMixedRadix(doubleSeq.data(), doubles);
    qsizetype d = 0;
    for (qsizetype j = 0; j < count; ++j) {
        char* column = data + j * W;
        const char* source = doubleSeq.data() + d * W;
        for (const PlayedMatch& m : doubles)
            column[m.position] = source[m.position];
        if (++d == doubleCount)
            d = 0;
    }
}

} // namespace IntegralGenerator
