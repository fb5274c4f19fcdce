#pragma once

#include "platform/ColumnBuffer.h"

#include <QByteArrayView>
#include <QList>

#include <array>

// How the played columns stand while the results of the contest come in one by one: a match
// still to play is '-' in the results, and every column may still win it.
namespace LiveResults {

// 13 characters, each '1', 'X', '2' or '-'.
bool isResults(QByteArrayView results);

struct Standing {
    int best = 0;    // the most points any column has made so far
    int decided = 0; // matches with a result
    // Index = points 0..13: the columns already sure of at least that many points, and the
    // columns that can still make at least that many.
    std::array<qint64, 14> sure{};
    std::array<qint64, 14> possible{};
    qint64 columns = 0;
    // The columns that can still make 13 (every decided match right): the indices of the first
    // ones, as many as asked for.
    QList<qsizetype> stillAbleToWin;
};

// One pass over the played columns.
Standing evaluate(const ColumnBuffer& played, QByteArrayView results, qsizetype listed = 0);

} // namespace LiveResults
