#pragma once

class CommandHost;

// Gives the main host the condition dialogs, the reduction host and the enabling host.
void installConditionCommands(CommandHost& host);

// Shows frmABILITA inside the main host at its remembered place, creating it the first time.
void showEnablingWindow(CommandHost& host);
