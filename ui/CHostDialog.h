// A dialog that talks to the host: its link, given the port by the window that opens it, hands
// every reply to OnReply on the GUI thread.
#pragma once

#include "ui/CDialogBase.h"
#include "ui/DialogLink.h"

class CHostDialog : public CDialogBase {
  Q_OBJECT

 public:
  explicit CHostDialog(QWidget* parent = nullptr);

  // Takes the port: replies go to this dialog from now on.
  void SetCommn(veyra::HostPort* port) { m_link.SetCommn(port); }
  veyra::DialogLink& Link() { return m_link; }

 protected:
  // GUI thread, in arrival order; sentFrame is the frame sent last when the reply came.
  virtual void OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) = 0;

 private:
  veyra::DialogLink m_link;
};
