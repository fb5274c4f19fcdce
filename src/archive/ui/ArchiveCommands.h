#pragma once

class CommandHost;

// Gives the main host the archive's commands: the browser of the winning columns (modal) and
// the statistics window (one at a time, beside the main window).
void installArchiveCommands(CommandHost& host);
