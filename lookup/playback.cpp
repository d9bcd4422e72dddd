#include "lookup/playback.h"

#include <windows.h>
#include <mmsystem.h>

#include "text/translations.h"
#include "win/handles.h"

namespace {

bool RecordingExists(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid();
}

}  // namespace

std::vector<std::wstring> SoundWords(const std::wstring& text, bool wholeText) {
    if (wholeText) return {text};
    return SplitTranslations(text);
}

bool HasRecording(const std::wstring& text, const std::wstring& language, bool wholeText) {
    for (const std::wstring& word : SoundWords(text, wholeText))
        if (RecordingExists(SoundFilePath(language, word))) return true;
    return false;
}

void PlayRecordings(const std::wstring& text, const std::wstring& language, bool wholeText) {
    for (const std::wstring& word : SoundWords(text, wholeText)) {
        const std::wstring path = SoundFilePath(language, word);
        // A file that does not play is passed over like a missing one.
        if (RecordingExists(path)) PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT);
    }
}
