#pragma once

#include <QString>

class QLabel;

// How screen readers hear the program's controls: each by what it is, with what it holds as
// its value. Qt on Linux names a drop-down list by the item it shows ("External"), which says
// nothing of what the list is for; once installed, a list is named by its accessible name, else
// by the label whose buddy it is, and keeps its item as its value. Call before the first window
// is made; calling again does nothing.
void InstallAccessibleNames();

// The label shows a value (a limit the camera told, a reading): it is named by what it shows
// and its text is its value. Also installs the names.
void ShowsValue(QLabel* label, const QString& name);

// The picture shows a state ("Online"): it is named by what it shows, and the state is its
// value and its tooltip. A change of state is announced.
void ShowsState(QLabel* picture, const QString& name, const QString& state);
