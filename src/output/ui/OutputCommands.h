#pragma once

class MainWindow;

// Gives the main window the commands that work on the reduced system: the merge toggle, the
// winnings check and the column viewer, each on the reduced or the integral system.
void installOutputCommands(MainWindow& window);
