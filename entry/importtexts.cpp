#include "entry/importtexts.h"

#include <cstdio>

#include "store/atomicfile.h"
#include "store/catalogue.h"
#include "text/codepage.h"
#include "text/uistrings.h"

namespace {

constexpr wchar_t kReportFolder[] = L"new";

std::wstring Count(Ui label, std::size_t n) { return std::wstring(UiText(label)) + L": " + std::to_wstring(n); }

std::wstring Stamp(const SYSTEMTIME& t, const wchar_t* format) {
    wchar_t text[40];
    std::swprintf(text, std::size(text), format, t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

}  // namespace

std::wstring RefusalText(ImportRefusal reason) {
    switch (reason) {
    case ImportRefusal::RowTooLong: return UiText(Ui::ImportWhyRowTooLong);
    case ImportRefusal::EmptySide: return UiText(Ui::ImportWhyEmpty);
    case ImportRefusal::CommaInWord: return UiText(Ui::ImportWhyComma);
    case ImportRefusal::ControlInWord: return UiText(Ui::ImportWhyControl);
    case ImportRefusal::WordNotInCodePage: return UiText(Ui::ImportWhyWordCodePage);
    case ImportRefusal::TranslationNotInCodePage: return UiText(Ui::ImportWhyTranslationCodePage);
    case ImportRefusal::WordTooLong: return UiText(Ui::ImportWhyWordTooLong);
    case ImportRefusal::TranslationsTooLong: return UiText(Ui::ImportWhyTranslationsTooLong);
    case ImportRefusal::TranslationTooLongForReverse: return UiText(Ui::ImportWhyReverseTooLong);
    case ImportRefusal::ReverseEntryFull: return UiText(Ui::ImportWhyReverseFull);
    }
    return {};
}

std::wstring CountsText(const ImportCounts& counts) {
    return Count(Ui::ImportRowsRead, counts.rows) + L"     " + Count(Ui::ImportNewPairs, counts.added) + L"     " +
           Count(Ui::ImportMerged, counts.merged) + L"     " + Count(Ui::ImportUnchanged, counts.unchanged) + L"     " +
           Count(Ui::ImportRefused, counts.refused);
}

std::wstring RefusedRowText(const PlannedRow& row) {
    std::wstring text = std::wstring(UiText(Ui::ImportLine)) + L" " + std::to_wstring(row.line) + L": ";
    std::wstring pair = row.first + L" / " + row.second;
    for (wchar_t& c : pair)
        if (c < 0x20) c = L' ';
    constexpr std::size_t kShownPair = 60;
    if (pair.size() > kShownPair) pair = pair.substr(0, kShownPair) + L"...";
    text += pair + L": " + RefusalText(row.reason);
    if (!row.word.empty() && row.word != row.first && row.word.size() <= kShownPair) text += L" (" + row.word + L")";
    return text;
}

std::wstring ImportDoneText(const ImportCounts& counts) {
    return std::wstring(UiText(Ui::ImportDone)) + L"\n\n" + Count(Ui::ImportNewPairs, counts.added) + L"\n" +
           Count(Ui::ImportMerged, counts.merged) + L"\n" + Count(Ui::ImportUnchanged, counts.unchanged) + L"\n" +
           Count(Ui::ImportSkipped, counts.refused);
}

std::string ImportReportText(const std::wstring& sourcePath, const WordListDescriptor& d, const ImportPlan& plan,
                             const SYSTEMTIME& time) {
    std::wstring text = std::wstring(UiText(Ui::ImportReportTitle)) + L"\r\n" + sourcePath + L" -> " + d.firstName +
                        L" - " + d.secondName + L", " + Stamp(time, L"%04u-%02u-%02u %02u:%02u:%02u") + L"\r\n" +
                        CountsText(plan.counts) + L"\r\n\r\n";
    for (const PlannedRow& row : plan.refused) text += RefusedRowText(row) + L"\r\n";
    return "\xEF\xBB\xBF" + ToNarrow(text, CP_UTF8);
}

std::wstring WriteImportReport(const std::wstring& sourcePath, const WordListDescriptor& d, const ImportPlan& plan,
                               const SYSTEMTIME& time) {
    CreateDirectoryW(kReportFolder, nullptr);
    const std::wstring path =
        std::wstring(kReportFolder) + L"\\import-" + Stamp(time, L"%04u%02u%02u-%02u%02u%02u") + L".txt";
    AtomicFileWriter writer(path + L".tmp", path);
    if (!writer.Write(ImportReportText(sourcePath, d, plan, time)) || !writer.Commit()) return {};
    return path;
}
