#include "platform/WriteFaults.h"

#include <memory>

namespace WriteFaults {

namespace {

// Everything runs on one thread, so the decider needs no lock.
std::unique_ptr<Decider> s_decider;

} // namespace

void install(Decider decider)
{
    s_decider = decider ? std::make_unique<Decider>(std::move(decider)) : nullptr;
}

int check(Step step)
{
    return s_decider ? (*s_decider)(step) : 0;
}

} // namespace WriteFaults
