#pragma once

#include "platform/ColumnBuffer.h"

#include <QString>

#include <array>
#include <functional>

// Enumerates the integral system of a prediction in its fixed order: the d-th double alternates
// in blocks of 2^d columns, the t-th triple in blocks of 3^t, fixed signs never change.
namespace IntegralGenerator {

// 3^triples x 2^doubles, except that a product of 1 is 0: a prediction without doubles and
// triples spans no integral system. Empty fields count nothing.
qint32 integralCount(const std::array<QString, 13>& signs);

// `onMatch(i)` is called before match i (1..13) is laid out, for progress.
ColumnBuffer generate(const std::array<QString, 13>& signs,
                      const std::function<void(int)>& onMatch = {});
// The same into an existing buffer, reusing its memory.
void generateInto(ColumnBuffer& columns, const std::array<QString, 13>& signs,
                  const std::function<void(int)>& onMatch = {});

} // namespace IntegralGenerator
