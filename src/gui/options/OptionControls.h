#pragma once

class QComboBox;
class QWidget;

namespace kestrova {

// A choice of "1" to "n" showing a stored count as index count - 1. A count
// outside that range shows nothing and is written back unchanged: the hidden
// pages must not change what the user put in the settings file by hand.
QComboBox* makeCountBox(int n, int stored, const char* name, QWidget* parent);
int countOf(const QComboBox* box);

}  // namespace kestrova
