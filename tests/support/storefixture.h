// A user's data folder in miniature: English UI texts, a language file, word lists.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/catalogue.h"
#include "store/records.h"
#include "support/testenv.h"
#include "win/messages.h"

struct ShownMessage {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
};

// The entries of a word list or practice list file's bytes.
std::vector<WordEntry> DecodeRecords(std::string_view bytes, UINT firstCodePage = 1252, UINT secondCodePage = 1252);

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Languages section with these lines, then a selection section naming `selected`
    // (none when empty).
    static std::string LanguageFile(const std::vector<std::string>& languageLines, const std::string& selected = "");
    // Loads the catalogue and selection, sets locale and table, opens the store.
    void Open();
    // A French-English folder whose current word list holds these entries.
    void OpenFrench(const std::vector<WordEntry>& entries);
    // Writes a word list file of the given entries in the given code pages.
    static void WriteWordList(const std::wstring& fileName, const std::vector<WordEntry>& entries,
                              UINT firstCodePage = 1252, UINT secondCodePage = 1252);
    static std::vector<WordEntry> ReadWordList(const std::wstring& fileName, UINT firstCodePage = 1252,
                                               UINT secondCodePage = 1252);
    static std::vector<std::wstring> FirstWords(const std::vector<WordEntry>& entries);
    WordListDescriptor& Find(const std::wstring& firstName, const std::wstring& secondName);

    TempDirectory dir;
    std::vector<ShownMessage> messages;
};
