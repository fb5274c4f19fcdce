#pragma once

#include "reports/ResultsLogic.h"

#include <QString>

namespace Cli {

// The results file of a system, by default beside its .pro; false, with the reason on stderr,
// when it is missing or refused.
bool loadResults(const QString& path, ResultsLogic::Fields& fields);

} // namespace Cli
