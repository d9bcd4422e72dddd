// strtool: turns the readable source of a UI strings file into the scrambled file
// the program reads, and back.
//   strtool pack <source.txt> <out.str>
//   strtool unpack <in.str> <out.txt>
// Exit codes: 0 done, 1 refused or failed (the reason on standard error), 2 bad arguments.
#include <windows.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "store/atomicfile.h"
#include "text/scramble.h"
#include "text/stringsource.h"
#include "text/uikeys.h"
#include "win/handles.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Largest file the tool reads; a UI strings file is a few tens of kilobytes.
constexpr LONGLONG kMaxFileSize = 64LL * 1024 * 1024;

void WriteError(std::wstring_view text) {
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err == nullptr || err == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(err, &mode)) {
        WriteConsoleW(err, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    // Redirected (a build log, a pipe): UTF-8 bytes.
    const int n = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), n, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return;
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), n, utf8.data(), bytes, nullptr, nullptr);
    WriteFile(err, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// Messages of the parser are ASCII apart from bytes quoted from the file, which
// are shown as the system's 8-bit text.
std::wstring Widen(std::string_view text) {
    if (text.empty()) return {};
    const int n = static_cast<int>(text.size());
    std::wstring out(text.size(), L'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, text.data(), n, out.data(), n);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return out;
}

std::wstring SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"error " + std::to_wstring(code);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

void ReportFileError(const std::wstring& path, std::wstring_view what, DWORD code) {
    std::wstring line = path + L": " + std::wstring(what);
    if (code != ERROR_SUCCESS) line += L": " + SystemMessage(code);
    WriteError(line + L"\n");
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ReportFileError(path, L"cannot open", GetLastError());
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        ReportFileError(path, L"cannot read", GetLastError());
        return std::nullopt;
    }
    if (size.QuadPart > kMaxFileSize) {
        WriteError(path + L": file too large for a UI strings file\n");
        return std::nullopt;
    }
    std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(data.size() - done);
        if (!ReadFile(file.Get(), data.data() + done, want, &got, nullptr)) {
            ReportFileError(path, L"cannot read", GetLastError());
            return std::nullopt;
        }
        if (got == 0) break;
        done += got;
    }
    data.resize(done);
    return data;
}

// Writes a temporary file beside the target and puts it in the target's place in
// one step, so a failed run never leaves a half-written file under the target name.
bool WriteFileReplacing(const std::wstring& path, const std::string& data) {
    const std::wstring temp = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    AtomicFileWriter writer(temp, path);
    if (!writer.Ok()) {
        ReportFileError(temp, L"cannot create", GetLastError());
        return false;
    }
    if (!writer.Write(data)) {
        const DWORD code = GetLastError();
        writer.Abandon();
        ReportFileError(temp, L"cannot write", code);
        return false;
    }
    if (!writer.Commit()) {
        ReportFileError(path, L"cannot replace", GetLastError());
        return false;
    }
    return true;
}

std::string FoldAsciiCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// A source that parses may still not start the program; say so, without refusing,
// so that a translation in progress can be packed and tried.
void WarnAboutKeys(const std::wstring& path, const std::vector<StringEntry>& entries) {
    // The program's look-up ignores the case of A-Z and takes the first match.
    std::map<std::string, int> firstLine;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        const auto [it, added] = firstLine.emplace(FoldAsciiCase(entries[i].key), line);
        if (!added) {
            WriteError(path + L":" + std::to_wstring(line) + L": warning: key " + Widen(entries[i].key) +
                       L" repeats line " + std::to_wstring(it->second) + L"; only the first one is used\n");
        }
    }
    const auto find = [&](std::string_view key) -> const StringEntry* {
        const auto it = firstLine.find(FoldAsciiCase(key));
        return it == firstLine.end() ? nullptr : &entries[static_cast<std::size_t>(it->second - 1)];
    };
    for (const char* key : kUiKeyNames) {
        if (!find(key)) WriteError(path + L": warning: key " + Widen(key) + L" is missing; the program will not start\n");
    }
    for (const UiLaterKey& later : kUiLaterKeys) {
        if (!find(later.name))
            WriteError(path + L": warning: key " + Widen(later.name) + L" is missing; the program shows its English text\n");
    }
    if (const StringEntry* fonts = find(UiKeyName(Ui::ForeignFonts))) {
        const long count = std::atol(fonts->value.c_str());
        for (long i = 0; i < count && i < kUiMaxForeignFonts; ++i) {
            const std::string key = "Font" + std::to_string(kUiFirstForeignFontKey + i);
            if (!find(key)) {
                WriteError(path + L": warning: key " + Widen(key) + L" is missing (ForeignFonts is " +
                           std::to_wstring(count) + L"); the program will not start\n");
            }
        }
    }
}

int Pack(const std::wstring& sourcePath, const std::wstring& outPath) {
    const auto source = ReadWholeFile(sourcePath);
    if (!source) return kExitFailed;
    const StringSource parsed = ParseStringSource(*source);
    if (!parsed.Ok()) {
        WriteError(sourcePath + L":" + std::to_wstring(parsed.errorLine) + L": " + Widen(parsed.error) + L"\n");
        return kExitFailed;
    }
    WarnAboutKeys(sourcePath, parsed.entries);
    std::string bytes = EntriesToPlain(parsed.entries);
    ScrambleUiBytes(bytes);
    return WriteFileReplacing(outPath, bytes) ? kExitOk : kExitFailed;
}

int Unpack(const std::wstring& inPath, const std::wstring& outPath) {
    auto bytes = ReadWholeFile(inPath);
    if (!bytes) return kExitFailed;
    UnscrambleUiBytes(*bytes);
    const StringSource entries = PlainToEntries(*bytes);
    if (!entries.Ok()) {
        WriteError(inPath + L": not a UI strings file, or a damaged one: " + Widen(entries.error) + L"\n");
        return kExitFailed;
    }
    return WriteFileReplacing(outPath, FormatStringSource(entries.entries)) ? kExitOk : kExitFailed;
}

int Usage() {
    WriteError(
        L"usage: strtool pack <source.txt> <out.str>\n"
        L"       strtool unpack <in.str> <out.txt>\n"
        L"pack scrambles a readable UI strings source (one key=value line per entry) into the\n"
        L"file the program reads; unpack turns such a file back into its source.\n");
    return kExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return Usage();
    const std::wstring_view command = argv[1];
    if (command == L"pack") return Pack(argv[2], argv[3]);
    if (command == L"unpack") return Unpack(argv[2], argv[3]);
    return Usage();
}
