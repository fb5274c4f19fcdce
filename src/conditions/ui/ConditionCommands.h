#pragma once

class MainWindow;

// Gives the main window the condition dialogs, the reduction window and the enabling window.
void installConditionCommands(MainWindow& window);

// Shows frmABILITA inside the main window at its remembered place, creating it the first time.
void showEnablingWindow(MainWindow& window);
