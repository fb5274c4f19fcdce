#pragma once

class CommandHost;

// Gives the main host the print commands of the system: the prospect alone, the prospect with
// the reduced or the integral columns, the columns alone, and the merged columns; the final
// results window and the system properties, which also open after Open when the options ask.
void installReportCommands(CommandHost& host);
