#pragma once

class AdvancedConditions;
class CommandHost;
class ConditionSet;
class QString;

// Gives the main host the archive's commands: the browser of the winning columns (modal) and
// the statistics window (one at a time, beside the main window).
void installArchiveCommands(CommandHost& host);

// "Verifica sull'Archivio" for given conditions: the conditions as a window holds them, before
// they are confirmed. The menu command (mnuVerificaArchivio) tries the system's own.
void showBacktest(CommandHost& host, const ConditionSet& conditions, const QString& enableFlags,
                  const AdvancedConditions& advanced);
