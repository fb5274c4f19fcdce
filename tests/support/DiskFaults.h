#pragma once

#include "platform/WriteFaults.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// Runs an operation while the disk misbehaves at one step of its writing, through the
// WriteFaults seam: counting the steps, failing one as a full disk, or stopping the program
// dead at one, as a crash or power cut would.
namespace DiskFaults {

using Step = WriteFaults::Step;

// The disk steps `operation` takes, in order.
QList<Step> stepsOf(const std::function<void()>& operation);

// Runs `operation` with step `failing` (1-based) failing with `code`.
bool failingAt(int failing, int code, const std::function<bool()>& operation);

// Runs `operation` in a child process that ends on the spot at step `stop`, leaving the disk as
// it was at that instant. True when the child finished normally.
bool crashingAt(int stop, const std::function<void()>& operation);

// Every file of `folder` (not below) with its content, names sorted.
QByteArray folderSnapshot(const QString& folder);

} // namespace DiskFaults
