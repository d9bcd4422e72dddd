#include "practice/printfile.h"

#include <windows.h>

#include "store/catalogue.h"
#include "win/handles.h"

namespace {

constexpr std::size_t kFirstColumn = 31;

// printf's "%-31s": padded to the width, never cut.
void AppendPadded(std::wstring& out, const std::wstring& text) {
    out += text;
    if (text.size() < kFirstColumn) out.append(kFirstColumn - text.size(), L' ');
}

}  // namespace

std::wstring FormatPrintText(const std::wstring& firstName, const std::wstring& secondName,
                             const std::vector<WordEntry>& entries) {
    std::wstring text;
    AppendPadded(text, firstName);
    text += L"       " + secondName + L"\n\n";
    for (const WordEntry& e : entries) {
        AppendPadded(text, e.first);
        text += L"   -   " + e.second + L"\n";
    }
    return text;
}

std::string PrintFileBytes(const std::wstring& text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return bytes;
}

bool WritePrintFile() {
    std::vector<WordEntry> entries;
    entries.reserve(PracticeCount > 0 ? static_cast<std::size_t>(PracticeCount) : 0);
    for (int n = 0; n < PracticeCount; ++n) {
        if (ReadPracticeRecord(n) != 0) return false;
        entries.push_back(CurrentEntry);
    }
    const WordListDescriptor& d = CurrentWordList();
    const std::string bytes = PrintFileBytes(FormatPrintText(d.firstName, d.secondName, entries));

    UniqueFile file(CreateFileW(kPrintFileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
