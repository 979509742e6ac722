#include "ui/DigitEdit.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

QLineEdit* NewDigitEdit(QWidget* parent, int maxDigits) {
  auto* edit = new QLineEdit(parent);
  edit->setMaxLength(maxDigits);
  // A paste that holds anything but digits is refused whole, as typing it would be.
  const QString pattern = QStringLiteral("[0-9]{0,%1}").arg(maxDigits);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
  return edit;
}
