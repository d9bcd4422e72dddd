// One pronunciation recording through the media control interface: a waveaudio
// device opened for the span of one recording and saved as a wave file.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

inline constexpr wchar_t kOpenSoundCommand[] = L"open new type waveaudio alias mysound";
inline constexpr wchar_t kRecordSoundCommand[] = L"record mysound";
inline constexpr wchar_t kStopSoundCommand[] = L"stop mysound";
inline constexpr wchar_t kCloseSoundCommand[] = L"close mysound";
// save mysound "<path>"
std::wstring SaveSoundCommand(const std::wstring& path);

// Sends one command string; an error beeps and shows the system's text for it in an
// "MCI Error" box owned by the window. True when the command worked.
bool SendSoundCommand(const std::wstring& command, HWND owner);

using SoundCommandSender = std::function<bool(const std::wstring& command)>;

// The device while a recording runs. It is never left open: a recording that is not
// saved is closed, and so lost, when its owner ends.
class SoundRecording {
public:
    explicit SoundRecording(SoundCommandSender send) : send_(std::move(send)) {}
    ~SoundRecording() { Discard(); }
    SoundRecording(const SoundRecording&) = delete;
    SoundRecording& operator=(const SoundRecording&) = delete;

    // Opens the device and records. A device that does not open has been reported by
    // the sender; `cantOpen` then tells the user that no recording runs, and nothing
    // is recorded. A device that opens but does not record (reported too) is closed
    // again. True while recording.
    bool Start(const std::function<void()>& cantOpen);
    // Stop, save, close, each sent even when one before it failed. True when the stop
    // and the save worked.
    bool StopAndSave(const std::wstring& path);
    // Closes the device without saving.
    void Discard();
    bool Running() const { return open_; }

private:
    SoundCommandSender send_;
    bool open_ = false;
};

// Whether the bytes of a wave file (or its first bytes) hold sound: a RIFF WAVE file
// whose data chunk has at least one byte. A device without a working input saves one
// whose data chunk is empty.
bool WaveHoldsSound(std::string_view bytes);

enum class KeptRecording { Kept, NoSound, NotWritten };
// Ends the recording and keeps it as the file at `path`, replacing an earlier
// recording in one step, but only when the device reported no error and what it saved
// holds sound. Otherwise nothing of it is left and an earlier recording stays.
KeptRecording StopAndKeep(SoundRecording& recording, const std::wstring& path);
