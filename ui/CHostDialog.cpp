#include "ui/CHostDialog.h"

CHostDialog::CHostDialog(QWidget* parent)
    : CDialogBase(parent),
      m_link([this](const veyra::Bytes& sent, const veyra::Bytes& received) { OnReply(sent, received); }) {}
