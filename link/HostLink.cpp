#include "link/HostLink.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

#include "link/Config.h"
#include "link/HostPort.h"
#include "link/IniFile.h"
#include "link/Notifier.h"
#include "link/OpenErrorText.h"
#include "link/Translatable.h"

namespace veyra {

std::atomic<int> HostFound{0};
std::atomic<int> ExchangeSettings::times{0};
std::atomic<int> ExchangeSettings::waittime{0};

HostLink::~HostLink() { ReleasePort(); }

void HostLink::ReleasePort() {
  // A frame must never reach a destroyed window, whatever order the windows close in.
  if (port_ && port_->Owner() == this) port_->SetOwner(nullptr);
}

void HostLink::SetCommn(HostPort* port) {
  if (!port) {
    Messages().Show({QT_TRANSLATE_NOOP("veyra", "不能传参数0给SetCommn方法！"),
                     QT_TRANSLATE_NOOP("veyra", "错误"), false, Icon::None});
    return;
  }
  port_ = port;
  port->SetOwner(this);
}

void HostLink::ClearPayload() {
  if (port_) port_->ClearReceived();
  Payload.clear();
}

Bytes HostLink::SentFrame() const {
  std::lock_guard lock(sentMutex_);
  return sentFrame_;
}

int HostLink::SendAndWait(const Bytes& payload, int times, int waittime) {
  WaitCursor cursor;
  if (times == -1 || waittime == -1) {
    const std::optional<IniFile> ini = IniFile::Open(GetConfigPath(), true);
    if (!ini) {
      Messages().Show({QT_TRANSLATE_NOOP("veyra", "加载配置文件config.ini失败！\n"),
                       QT_TRANSLATE_NOOP("veyra", "错误"), false, Icon::None});
    } else {
      const TimeoutSettings settings = ReadTimeouts(*ini);
      ExchangeSettings::times = settings.times;
      ExchangeSettings::waittime = settings.waittime;
    }
  }
  const int attempts = ExchangeSettings::times.load();
  const int wait = ExchangeSettings::waittime.load();
  // Before the new frame becomes SentFrame: what the last command's answer still brings while the
  // line settles is handed over as that command's.
  if (port_ && attempts > 0) port_->BeginExchange(wait);
  const Bytes frame = BuildFrame(payload);
  {
    std::lock_guard lock(sentMutex_);
    sentFrame_ = frame;
  }
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (!port_) return 1;  // nothing to write to: the wait "reports a frame" at once
    // A lost line answers nothing: further attempts would only hold the window.
    if (port_->LineLost()) return 0;
    // An answer that came just after the last window closed: another copy would only be answered
    // again.
    if (attempt == 0 || !port_->AnswerArrived()) {
      port_->SendFrame(frame);
      if (!port_->WaitReply(wait)) continue;
    }
    port_->AwaitDelivery();
    ReplyWaitEnded();
    return 1;
  }
  return 0;
}

int HostLink::CheckAck(const std::string& key, const Bytes& receivedFrame) {
  if (!port_) return 0;
  const std::optional<IniFile> ini = IniFile::Open(GetConfigPath(), true);
  if (!ini) {
    Messages().Show({QT_TRANSLATE_NOOP("veyra", "加载命令文件config.ini失败！\n"),
                     QT_TRANSLATE_NOOP("veyra", "错误"), false, Icon::None});
    return 0;
  }
  const Bytes expected = ReadExpectedAck(*ini, key);
  if (expected.empty()) return 1;
  if (receivedFrame.size() < expected.size()) return 0;
  for (std::size_t i = 0; i < expected.size(); ++i)
    if (expected[i] != receivedFrame[i]) return 0;
  return 1;
}

AckCheck HostLink::Acks() {
  return [this](const std::string& key, const Bytes& frame) { return CheckAck(key, frame); };
}

int HostLink::OpenWith(const std::string& label, const std::function<int()>& open) {
  WaitCursor cursor;
  if (!port_) return 0;
  try {
    if (port_->IsOpen()) port_->Close();
    if (open()) return 1;
    Messages().Show(
        {FillIn(kOpenFailedPattern, label), QT_TRANSLATE_NOOP("veyra", "错误！"), false, Icon::None});
    Messages().Show(
        {OpenErrorText(port_->LastErrno()), QT_TRANSLATE_NOOP("veyra", "Error"), false, Icon::Information});
    if (port_->IsOpen()) port_->Close();
    return 0;
  } catch (const std::exception& e) {
    if (port_->IsOpen()) port_->Close();
    Messages().Show({e.what(), QT_TRANSLATE_NOOP("veyra", "打开串口出错！"), false, Icon::None});
    return 0;
  }
}

int HostLink::OpenPort(int n) {
  return OpenWith("COM" + std::to_string(n), [this, n] { return port_->OpenCom(n); });
}

int HostLink::OpenDevicePort(const std::string& device, int number) {
  const std::string label = number >= 0 ? "COM" + std::to_string(number) : device;
  return OpenWith(label, [this, &device, number] { return port_->OpenDevice(device, number); });
}

void HostLink::ClosePort() {
  // Close joins the reader thread (bounded: it only waits for poll to wake), so the port can be
  // opened again at once.
  if (port_ && port_->IsOpen()) port_->Close();
}

int HostLink::IsPortOpen() const { return port_ ? port_->IsOpen() : 0; }

int HostLink::GetPortNumber() const { return port_ ? port_->GetPortNumber() : -1; }

}  // namespace veyra
