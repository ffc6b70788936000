// Background music through the platform's media control interface (MCI).
// The player has a hidden window of its own that receives the end-of-play
// notification.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <functional>
#include <string>

#include "runtime/Control.h"

enum class TMPDeviceTypes {
  AutoSelect,
  AVIVideo,
  CDAudio,
  DAT,
  DigitalVideo,
  MMMovie,
  Other,
  Overlay,
  Scanner,
  Sequencer,
  VCR,
  Videodisc,
  WaveAudio
};

enum class TMPNotifyValues { Successful, Superseded, Aborted, Failure };

class TMediaPlayer : public TWinControl {
public:
  explicit TMediaPlayer(TForm *owner);
  ~TMediaPlayer() override;

  void SetFileName(const std::string &name) { fileName_ = name; }
  void SetAutoOpen(bool autoOpen) { autoOpen_ = autoOpen; }
  void SetDeviceType(TMPDeviceTypes type) { deviceType_ = type; }
  void SetShareable(bool shareable) { shareable_ = shareable; }

  // Opens the device when AutoOpen is set.
  void Loaded() override;
  // Raises EMCIDeviceError with the platform's text when the open fails.
  void Open();
  // Plays asynchronously from the current position; the result is only
  // stored. Raises EMCIDeviceError when no device is open.
  void Play();
  void Close();

  bool IsOpen() const { return open_; }
  MCIDEVICEID DeviceID() const { return deviceId_; }
  MCIERROR Error() const { return error_; }
  TMPNotifyValues NotifyValue() const { return notifyValue_; }
  DWORD Length() const { return length_; }

  // Every MCI command goes through this function; tests replace it, an
  // empty one (nullptr) restores the platform's mciSendCommandA.
  using SendCommand = std::function<MCIERROR(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR)>;
  static void SetSendCommand(SendCommand send);

protected:
  void GetCreateParams(CreateParams &params) override;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Notified(WPARAM code);
  MCIERROR Send(UINT command, DWORD flags, void *record);
  DWORD Status(DWORD item);

  std::string fileName_;
  bool autoOpen_ = false;
  bool autoRewind_ = true;
  bool autoEnable_ = true;
  bool shareable_ = false;
  TMPDeviceTypes deviceType_ = TMPDeviceTypes::AutoSelect;

  bool open_ = false;
  MCIDEVICEID deviceId_ = 0;
  MCIERROR error_ = 0;
  DWORD flags_ = 0;
  DWORD length_ = 0;
  DWORD stepSize_ = 0;
  bool canPlay_ = false, canRecord_ = false, canEject_ = false, hasVideo_ = false, canStep_ = false;
  TMPNotifyValues notifyValue_ = TMPNotifyValues::Successful;
};
