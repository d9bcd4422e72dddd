#include "sound/recording.h"

#include <mmsystem.h>

#include "win/messages.h"

std::wstring SaveSoundCommand(const std::wstring& path) { return L"save mysound \"" + path + L"\""; }

bool SendSoundCommand(const std::wstring& command, HWND owner) {
    const MCIERROR error = mciSendStringW(command.c_str(), nullptr, 0, nullptr);
    if (error == 0) return true;
    wchar_t text[1024] = L"";
    if (!mciGetErrorStringW(error, text, 1024)) text[0] = L'\0';
    MessageBeep(MB_ICONEXCLAMATION);
    ShowMessage(owner, text, L"MCI Error", MB_ICONWARNING);
    return false;
}

bool SoundRecording::Start(const std::function<void()>& cantOpen) {
    if (open_) return true;
    if (!send_(kOpenSoundCommand)) {
        if (cantOpen) cantOpen();
        return false;
    }
    open_ = true;
    send_(kRecordSoundCommand);
    return true;
}

void SoundRecording::StopAndSave(const std::wstring& path) {
    if (!open_) return;
    send_(kStopSoundCommand);
    send_(SaveSoundCommand(path));
    send_(kCloseSoundCommand);
    open_ = false;
}

void SoundRecording::Discard() {
    if (!open_) return;
    send_(kCloseSoundCommand);
    open_ = false;
}
