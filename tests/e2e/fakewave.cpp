// A waveaudio device for the end-to-end tests, which run on machines without a sound
// card: registered for the device type in the system's MCI table while a test wants
// recordings to work, it takes the program's commands as a working device would and
// saves a tenth of a second of silence. The system's own driver without a sound card
// saves a wave file that holds no sound.
#include <windows.h>

#include <mmsystem.h>
#include <mmddk.h>

#include <cstdint>
#include <string>

namespace {

constexpr std::uint32_t kSampleRate = 11025;
constexpr std::uint32_t kSoundBytes = kSampleRate / 10;  // 8-bit mono

void Put32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}
void Put16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

std::string SilentWave() {
    std::string out = "RIFF";
    Put32(out, 36 + kSoundBytes);
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, WAVE_FORMAT_PCM);
    Put16(out, 1);
    Put32(out, kSampleRate);
    Put32(out, kSampleRate);
    Put16(out, 1);
    Put16(out, 8);
    out += "data";
    Put32(out, kSoundBytes);
    out.append(kSoundBytes, '\x80');
    return out;
}

LRESULT Save(LPARAM parameters) {
    const auto* save = reinterpret_cast<const MCI_SAVE_PARMSW*>(parameters);
    if (!save || !save->lpfilename) return MCIERR_MISSING_PARAMETER;
    HANDLE file =
        CreateFileW(save->lpfilename, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return MCIERR_FILE_NOT_SAVED;
    const std::string wave = SilentWave();
    DWORD written = 0;
    const BOOL ok = WriteFile(file, wave.data(), static_cast<DWORD>(wave.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == wave.size() ? 0 : MCIERR_FILE_NOT_SAVED;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK DriverProc(DWORD_PTR, HDRVR, UINT message, LPARAM, LPARAM p2) {
    switch (message) {
    case DRV_OPEN: {
        // Opened for a device: the system's command table of the device type parses its
        // command strings.
        auto* open = reinterpret_cast<MCI_OPEN_DRIVER_PARMS*>(p2);
        if (!open) return 1;
        open->wCustomCommandTable = MCI_NO_COMMAND_TABLE;
        open->wType = MCI_DEVTYPE_WAVEFORM_AUDIO;
        return open->wDeviceID;
    }
    case MCI_OPEN_DRIVER:
    case MCI_CLOSE_DRIVER:
    case MCI_RECORD:
    case MCI_STOP: return 0;
    case MCI_SAVE: return Save(p2);
    default: return message < DRV_RESERVED ? 1 : MCIERR_UNSUPPORTED_FUNCTION;
    }
}
