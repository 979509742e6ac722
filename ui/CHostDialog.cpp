#include "ui/CHostDialog.h"

#include "ui/QtText.h"

CHostDialog::CHostDialog(QWidget* parent)
    : CDialogBase(parent),
      m_link([this](const veyra::Bytes& sent, const veyra::Bytes& received) { OnReply(sent, received); }) {
  SetStatusLineShown(true);
  m_link.SetStatusSink([this](std::string_view text) { ShowStatus(TrText(text)); });
}
