// What a screen reader says for a window's controls. Qt names a button by its text; a field or a
// list is named here by the label beside it, and every control is described by its tooltip or, for
// want of one, by its window and name, so that none is announced as a bare "edit" or "button".
#pragma once

#include <QString>

class QLabel;
class QWidget;

// The label names the field: a screen reader reads it, and its mnemonic moves focus there.
void LabelFor(QLabel* label, QWidget* field);

// Gives every control below root that a person can press, type into or choose from a name from
// its label when it has none of its own, and a description when it has none. Run as the window
// is shown, when every control and label is in place.
void CompleteAccessibleTexts(QWidget* root);

// Whether a widget is one a person works with (and so must be named), rather than a picture, a
// text or a frame.
bool IsInteractive(const QWidget* widget);
