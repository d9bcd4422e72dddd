// Common ground of the end-to-end tests: a fresh data folder and an empty profile
// section for every test (the section is shared by all runs of the program).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "e2e/driver.h"
#include "store/records.h"
#include "text/locale.h"

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override { e2e::profile::Clear(); }
    void TearDown() override { e2e::profile::Clear(); }

    // Starts the program and waits for its visible main window.
    HWND StartMainWindow(e2e::LaunchedApp& app) {
        const std::wstring program = e2e::ProgramPath();
        EXPECT_TRUE(app.Started()) << "cannot start " << std::string(program.begin(), program.end()) << ", error "
                                   << app.StartError();
        HWND window = app.WaitForMainWindow();
        EXPECT_NE(window, nullptr) << "no main window";
        return window;
    }

    // The language menu's checked ids once the condition on them holds.
    std::vector<UINT> CheckedLanguagesWhen(HWND window, const std::vector<UINT>& expected) {
        std::vector<UINT> checked;
        e2e::WaitUntil(
            [&] {
                checked = e2e::ReadMenuBar(window).CheckedIds(kLanguagePopup);
                return checked == expected;
            },
            5000);
        return checked;
    }

    static bool TextBecomes(HWND control, const std::wstring& text) {
        return e2e::WaitUntil([&] { return e2e::ControlText(control) == text; }, 10000);
    }
    static const WordEntry* Find(const std::vector<WordEntry>& entries, const std::wstring& word) {
        for (const WordEntry& e : entries)
            if (e.first == word) return &e;
        return nullptr;
    }
    // In the order the program sorts by: its own collation keys for the language.
    static bool Sorted(const std::vector<WordEntry>& entries, const wchar_t* locale) {
        SetCollationLocale(locale);
        for (std::size_t i = 1; i < entries.size(); ++i)
            if (CollationSortKey(entries[i - 1].first) > CollationSortKey(entries[i].first)) return false;
        return true;
    }

    static constexpr std::size_t kLanguagePopup = 1;
    e2e::AppFolder folder;
};
