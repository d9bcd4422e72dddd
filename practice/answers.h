// Judging a typed answer and keeping the best score of a practice list.
#pragma once

#include <optional>
#include <string>

enum class AnswerVerdict { Empty, Right, Wrong };

// The typed text's first comma-separated piece (leading commas skipped), blanks
// trimmed, against every comma-separated translation, blanks trimmed, without regard
// to case. Text of commas and blanks only is no answer at all.
AnswerVerdict JudgeAnswer(const std::wstring& typed, const std::wstring& translations);

// A finished run's score: lower is better, skipped answers first, then errors.
struct Score {
    long skipped = 0;
    long errors = 0;
    bool operator==(const Score&) const = default;
};

// Whether the run replaces the stored best (none stored: always).
bool IsBetterScore(const Score& run, const std::optional<Score>& best);

// "Skipped: 1  -  Errors: 2", as the window shows a score.
std::wstring ScoreText(const Score& score);
// The message at the end of a run of `entries` entries: the list's end, the run's right
// answers (those not shown), errors and skipped ones, then that it is a new best score
// (and, when `bestSaved` is false, that it could not be kept), or the best it did not beat.
std::wstring EndOfRunText(long entries, const Score& run, const std::optional<Score>& best, bool bestSaved);

// The two lines of a score file; nothing when it holds fewer than two lines.
std::optional<Score> ParseScoreFile(const std::string& bytes);
std::string FormatScoreFile(const Score& score);

// The score file of the current practice list and direction: its practice list file
// with ".score" for ".ls". Empty when there is no practice list.
std::wstring ScoreFilePath();
std::optional<Score> LoadBestScore();
// Replaces the stored best when the run is better; the file is replaced whole, so a
// failed write keeps the previous best. False when the run was better but could not
// be written.
bool SaveBestScore(const Score& run, const std::optional<Score>& best);
