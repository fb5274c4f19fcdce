#pragma once

class CommandHost;

// Gives the main host the commands that work on the reduced system: the merge toggle, the
// winnings check and the column viewer, each on the reduced or the integral system.
void installOutputCommands(CommandHost& host);
