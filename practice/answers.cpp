#include "practice/answers.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <vector>

#include "store/atomicfile.h"
#include "store/catalogue.h"
#include "store/practicelists.h"
#include "store/records.h"
#include "text/translations.h"
#include "text/uistrings.h"

namespace {

// Case folded for every letter, accented and non-Latin ones included, whatever locale
// the runtime was left in.
bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

constexpr std::size_t kScoreLineChars = 18;

// A line as a reader of at most `kScoreLineChars` characters takes it.
bool NextLine(const std::string& bytes, std::size_t& at, std::string& line) {
    if (at >= bytes.size()) return false;
    std::size_t end = bytes.find('\n', at);
    const std::size_t stop = end == std::string::npos ? bytes.size() : end + 1;
    const std::size_t length = std::min(stop - at, kScoreLineChars);
    line = bytes.substr(at, length);
    at += length;
    return true;
}

}  // namespace

AnswerVerdict JudgeAnswer(const std::wstring& typed, const std::wstring& translations) {
    const std::vector<std::wstring> typedPieces = SplitTranslations(typed);
    if (typedPieces.empty()) return AnswerVerdict::Empty;
    const std::wstring& given = typedPieces.front();
    if (given.empty()) return AnswerVerdict::Empty;
    for (const std::wstring& alternative : SplitTranslations(translations))
        if (SameIgnoringCase(alternative, given)) return AnswerVerdict::Right;
    return AnswerVerdict::Wrong;
}

bool IsBetterScore(const Score& run, const std::optional<Score>& best) {
    if (!best) return true;
    if (run.skipped != best->skipped) return run.skipped < best->skipped;
    return run.errors < best->errors;
}

std::wstring ScoreText(const Score& score) {
    return std::wstring(UiText(Ui::PracticeSkipped)) + L" " + std::to_wstring(score.skipped) + L"  -  " +
           UiText(Ui::PracticeErrors) + L" " + std::to_wstring(score.errors);
}

std::wstring EndOfRunText(long entries, const Score& run, const std::optional<Score>& best, bool bestSaved) {
    std::wstring text = std::wstring(UiText(Ui::PracticeEndlist)) + L"\n\n" + UiText(Ui::PracticeRight) + L" " +
                        std::to_wstring(entries - run.skipped) + L"   " + UiText(Ui::PracticeErrors) + L" " +
                        std::to_wstring(run.errors) + L"   " + UiText(Ui::PracticeSkipped) + L" " +
                        std::to_wstring(run.skipped) + L"\n";
    if (!IsBetterScore(run, best)) return text + UiText(Ui::PracticeBestscore) + L" " + ScoreText(*best);
    text += UiText(Ui::PracticeNewBest);
    if (!bestSaved) text += std::wstring(L" ") + UiText(Ui::PracticeBestNotSaved);
    return text;
}

std::optional<Score> ParseScoreFile(const std::string& bytes) {
    std::size_t at = 0;
    std::string first;
    std::string second;
    if (!NextLine(bytes, at, first) || !NextLine(bytes, at, second)) return std::nullopt;
    return Score{std::atol(first.c_str()), std::atol(second.c_str())};
}

std::string FormatScoreFile(const Score& score) {
    return std::to_string(score.skipped) + "\r\n" + std::to_string(score.errors) + "\r\n";
}

std::wstring ScoreFilePath() {
    if (CurrentPracticeList.empty() && CountPracticeLists() > 0) SelectFirstPracticeList();
    if (CurrentPracticeList.empty()) return {};
    std::wstring path = PracticeListPath(CurrentWordList());
    const std::size_t ls = path.rfind(L".ls");
    if (ls == std::wstring::npos) return {};
    return path.substr(0, ls) + L".score";
}

std::optional<Score> LoadBestScore() {
    const std::wstring path = ScoreFilePath();
    std::string bytes;
    if (path.empty() || !ReadFileBytes(path, bytes)) return std::nullopt;
    return ParseScoreFile(bytes);
}

bool SaveBestScore(const Score& run, const std::optional<Score>& best) {
    if (!IsBetterScore(run, best)) return true;
    const std::wstring path = ScoreFilePath();
    if (path.empty()) return false;
    AtomicFileWriter writer(path + L".new", path);
    return writer.Write(FormatScoreFile(run)) && writer.Commit();
}
