#include "ui/CHostPage.h"

CHostPage::CHostPage(QWidget* parent)
    : CPageBase(parent),
      m_link([this](const veyra::Bytes& sent, const veyra::Bytes& received) { OnReply(sent, received); }) {}
