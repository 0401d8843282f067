#pragma once

class QWidget;

// Opens the reference dialogs for the main window: each call builds a new dialog from its
// layout with owner as its owner, shows it modally and destroys it when the modal loop ends,
// also when building or showing it fails (the failure then goes on to the caller). Nothing
// carries over from one opening to the next.
class DialogLauncher {
public:
    static void showAbout(QWidget* owner);
    static void showWorldTimes(QWidget* owner);
    static void showMetricTables(QWidget* owner);
};
