#include "sound/recording.h"

#include <mmsystem.h>

#include <cstdint>

#include "store/atomicfile.h"
#include "win/handles.h"
#include "win/messages.h"

namespace {

// Enough for the chunk headers that come before a wave file's data.
constexpr DWORD kWaveHeadBytes = 64 * 1024;

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::string FileHead(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string bytes(kWaveHeadBytes, '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), kWaveHeadBytes, &read, nullptr)) return {};
    bytes.resize(read);
    return bytes;
}

}  // namespace

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
    if (send_(kRecordSoundCommand)) return true;
    Discard();
    return false;
}

bool SoundRecording::StopAndSave(const std::wstring& path) {
    if (!open_) return false;
    const bool stopped = send_(kStopSoundCommand);
    const bool saved = send_(SaveSoundCommand(path));
    send_(kCloseSoundCommand);
    open_ = false;
    return stopped && saved;
}

void SoundRecording::Discard() {
    if (!open_) return;
    send_(kCloseSoundCommand);
    open_ = false;
}

bool WaveHoldsSound(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return false;
    std::size_t at = 12;
    while (bytes.size() - at >= 8) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint32_t size = Le32(bytes, at + 4);
        at += 8;
        if (id == "data") return size > 0 && at < bytes.size();
        // Chunks are padded to an even length.
        const std::uint64_t next = at + static_cast<std::uint64_t>(size) + (size & 1);
        if (next > bytes.size()) return false;
        at = static_cast<std::size_t>(next);
    }
    return false;
}

KeptRecording StopAndKeep(SoundRecording& recording, const std::wstring& path) {
    // Saved beside the word's file first, so that a recording without sound never
    // takes the place of one with sound.
    const std::wstring fresh = path + L".new";
    DeleteFileW(fresh.c_str());
    const bool saved = recording.StopAndSave(fresh);
    const bool sound = saved && WaveHoldsSound(FileHead(fresh));
    if (sound && ReplaceFileAtomically(fresh, path)) return KeptRecording::Kept;
    DeleteFileW(fresh.c_str());
    return sound ? KeptRecording::NotWritten : KeptRecording::NoSound;
}
