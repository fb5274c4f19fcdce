#pragma once

#include <functional>

// A seam through which tests make a disk operation fail as a full or broken disk would. Every
// operation that changes a file on disk asks it first; without a decider installed the question
// costs one load of a pointer.
namespace WriteFaults {

enum class Step { Create, Write, Sync, Close, Rename, SyncFolder, Remove };

// Returns the errno value the step must fail with, or 0 to let it run.
using Decider = std::function<int(Step)>;

// Installs `decider` for every later step of this process; an empty one removes it.
void install(Decider decider);

// 0 when the step may run, else the errno value to fail it with.
int check(Step step);

} // namespace WriteFaults
