// A page of a paged dialog that talks to the host. Only the page in front holds the port; the
// dialog tells a page when it comes to the front.
#pragma once

#include "ui/CPageBase.h"
#include "ui/DialogLink.h"

class CHostPage : public CPageBase {
  Q_OBJECT

 public:
  explicit CHostPage(QWidget* parent = nullptr);

  veyra::DialogLink& Link() { return m_link; }

  // The page has come to the front and holds the port.
  virtual void OnPageShown() {}

  // On the status line of the dialog the page is in.
  void ShowStatus(const QString& text);

 protected:
  // GUI thread, in arrival order; sentFrame is the frame sent last when the reply came.
  virtual void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) = 0;

 private:
  veyra::DialogLink m_link;
};
