// A message box, or a Yes/No question, in the frame and caption every window of the program
// draws: a box looks like the window it speaks for, with a window manager or without one. The
// buttons are Qt's own standard ones, so they speak the language Qt's catalogue was loaded for.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

#include "ui/CDialogBase.h"

class QAbstractButton;
class QDialogButtonBox;
class QLabel;

class CMessageDialog final : public CDialogBase {
  Q_OBJECT

 public:
  enum class Kind { Message, Question };

  // A message has one OK button; a question Yes and No, No the default and Escape's answer.
  CMessageDialog(QMessageBox::Icon icon, const QString& caption, const QString& text, Kind kind,
                 QWidget* owner = nullptr);

  void setInformativeText(const QString& text);
  QString text() const;
  QString informativeText() const;
  QMessageBox::Icon icon() const { return m_icon; }
  QList<QAbstractButton*> buttons() const;
  QAbstractButton* DefaultButton() const { return m_default; }
  // True once Yes (or OK) was pressed.
  bool Accepted() const { return result() == QDialog::Accepted; }

 protected:
  // Enter presses the button that has the focus, else the default one: never Yes by surprise.
  void OnEnter() override;
  void showEvent(QShowEvent* event) override;

 private:
  QMessageBox::Icon m_icon;
  QLabel* m_text = nullptr;
  QLabel* m_detail = nullptr;
  QDialogButtonBox* m_buttons = nullptr;
  QAbstractButton* m_default = nullptr;
};
