// An edit that takes decimal digits only, typed or pasted, and at most maxDigits of them.
#pragma once

class QLineEdit;
class QWidget;

QLineEdit* NewDigitEdit(QWidget* parent, int maxDigits);
