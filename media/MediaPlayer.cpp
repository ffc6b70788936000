#include "media/MediaPlayer.h"

#include "runtime/Exception.h"
#include "runtime/LibraryFunction.h"
#include "runtime/SystemEntry.h"
#include "runtime/WindowClass.h"

#include <utility>

namespace {
const char kPlayerClass[] = "TMediaPlayer";

// The multimedia library is loaded with the first command, not imported:
// the player is what needs it. Without it every command fails as a device
// that is not there.
template <class Function> Function Multimedia(const char *name) {
  static const HMODULE winmm = SystemLibrary("winmm.dll");
  return LibraryFunction<Function>(winmm, name);
}

MCIERROR WINAPI PlatformSendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                                    DWORD_PTR parms) {
  static const auto send = Multimedia<decltype(&mciSendCommandA)>("mciSendCommandA");
  return send ? send(device, message, flags, parms) : MCIERR_DEVICE_NOT_INSTALLED;
}

std::string ErrorText(MCIERROR error) {
  static const auto text = Multimedia<decltype(&mciGetErrorStringA)>("mciGetErrorStringA");
  char buffer[4096];
  if (!text || !text(error, buffer, sizeof buffer))
    return "Unknown error code";
  return buffer;
}

TMediaPlayer::SendCommand sendCommand = PlatformSendCommand;

const char *DeviceTypeName(TMPDeviceTypes type) {
  static const char *const names[] = {"",        "AVIVideo",  "CDAudio",  "DAT",     "DigitalVideo",
                                      "MMMovie", "Other",     "Overlay",  "Scanner", "Sequencer",
                                      "VCR",     "Videodisc", "WaveAudio"};
  return names[static_cast<int>(type)];
}

// The flag that asks a video device for its source rectangle.
constexpr DWORD kWhereSource = 0x20000;
} // namespace

void TMediaPlayer::SetSendCommand(SendCommand send) {
  sendCommand = send ? std::move(send) : PlatformSendCommand;
}

TMediaPlayer::TMediaPlayer(TForm *owner) : TWinControl(owner) {
  SetVisible(false);
  SetBounds(0, 0, 253, 30);
}

TMediaPlayer::~TMediaPlayer() {
  // The music stops with the window that owns the player.
  if (deviceId_ != 0) {
    MCI_GENERIC_PARMS close{};
    Send(MCI_CLOSE, MCI_WAIT, &close);
  }
}

void TMediaPlayer::GetCreateParams(CreateParams &params) {
  RegisterWindowClass(kPlayerClass, WindowProc);
  params.className = kPlayerClass;
}

LRESULT CALLBACK TMediaPlayer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == MM_MCINOTIFY) {
    if (auto *player = static_cast<TMediaPlayer *>(FromHandle(window)))
      GuardedEntry([&] { player->Notified(wParam); });
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

MCIERROR TMediaPlayer::Send(UINT command, DWORD flags, void *record) {
  flags_ = flags;
  error_ = sendCommand(deviceId_, command, flags, reinterpret_cast<DWORD_PTR>(record));
  return error_;
}

DWORD TMediaPlayer::Status(DWORD item) {
  MCI_STATUS_PARMS status{};
  status.dwItem = item;
  Send(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status);
  return static_cast<DWORD>(status.dwReturn);
}

void TMediaPlayer::Loaded() {
  if (autoOpen_)
    Open();
}

void TMediaPlayer::Close() {
  if (deviceId_ == 0)
    return;
  MCI_GENERIC_PARMS close{};
  if (Send(MCI_CLOSE, MCI_WAIT, &close) == 0) {
    open_ = false;
    deviceId_ = 0;
  }
}

void TMediaPlayer::Open() {
  if (open_)
    Close();

  MCI_OPEN_PARMSA open{};
  open.dwCallback = reinterpret_cast<DWORD_PTR>(Handle());
  DWORD flags = MCI_WAIT;
  if (deviceType_ != TMPDeviceTypes::AutoSelect) {
    open.lpstrDeviceType = DeviceTypeName(deviceType_);
    flags |= MCI_OPEN_TYPE;
  }
  if (!fileName_.empty()) {
    open.lpstrElementName = fileName_.c_str();
    flags |= MCI_OPEN_ELEMENT;
  }
  if (shareable_)
    flags |= MCI_OPEN_SHAREABLE;

  deviceId_ = 0; // MCI_OPEN goes to no device
  if (Send(MCI_OPEN, flags, &open) != 0)
    throw EMCIDeviceError(ErrorText(error_));
  open_ = true;
  deviceId_ = open.wDeviceID;

  length_ = Status(MCI_STATUS_LENGTH);
  stepSize_ = length_ / 10;

  // Capabilities; their results are not examined.
  MCI_GETDEVCAPS_PARMS caps{};
  const DWORD items[] = {MCI_GETDEVCAPS_CAN_PLAY, MCI_GETDEVCAPS_CAN_RECORD,
                         MCI_GETDEVCAPS_CAN_EJECT, MCI_GETDEVCAPS_HAS_VIDEO,
                         MCI_GETDEVCAPS_DEVICE_TYPE};
  bool *answers[] = {&canPlay_, &canRecord_, &canEject_, &hasVideo_};
  for (int i = 0; i < 5; ++i) {
    caps.dwItem = items[i];
    caps.dwReturn = 0;
    Send(MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, &caps);
    if (i < 4)
      *answers[i] = caps.dwReturn != 0;
    else
      canStep_ = caps.dwReturn == MCI_DEVTYPE_ANIMATION ||
                 caps.dwReturn == MCI_DEVTYPE_DIGITAL_VIDEO ||
                 caps.dwReturn == MCI_DEVTYPE_OVERLAY || caps.dwReturn == MCI_DEVTYPE_VCR;
  }

  // Source rectangle: sequencers refuse it, and nothing looks at the answer.
  MCI_ANIM_RECT_PARMS where{};
  Send(MCI_WHERE, kWhereSource, &where);

  // The button bar would follow the mode; the player here has none shown.
  Status(MCI_STATUS_MODE);
}

void TMediaPlayer::Play() {
  if (!open_)
    throw EMCIDeviceError("No MCI device open");
  if (autoRewind_) {
    DWORD position = Status(MCI_STATUS_POSITION);
    DWORD length = Status(MCI_STATUS_LENGTH);
    if (position == length) {
      MCI_SEEK_PARMS seek{};
      Send(MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &seek);
    }
  }
  MCI_PLAY_PARMS play{};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(Handle());
  Send(MCI_PLAY, MCI_NOTIFY, &play);
}

void TMediaPlayer::Notified(WPARAM code) {
  if (autoEnable_ && open_)
    Status(MCI_STATUS_MODE); // the button bar would be re-enabled when stopped
  switch (code) {
  case MCI_NOTIFY_SUCCESSFUL:
    notifyValue_ = TMPNotifyValues::Successful;
    break;
  case MCI_NOTIFY_SUPERSEDED:
    notifyValue_ = TMPNotifyValues::Superseded;
    break;
  case MCI_NOTIFY_ABORTED:
    notifyValue_ = TMPNotifyValues::Aborted;
    break;
  case MCI_NOTIFY_FAILURE:
    notifyValue_ = TMPNotifyValues::Failure;
    break;
  default:
    break;
  }
}
