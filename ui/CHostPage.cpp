#include "ui/CHostPage.h"

#include "ui/CDialogBase.h"
#include "ui/QtText.h"

CHostPage::CHostPage(QWidget* parent)
    : CPageBase(parent),
      m_link([this](const veyra::Bytes& sent, const veyra::Bytes& received) { OnReply(sent, received); }) {
  m_link.SetStatusSink([this](std::string_view text) { ShowStatus(TrText(text)); });
}

void CHostPage::ShowStatus(const QString& text) { CDialogBase::ShowStatusOf(this, text); }
