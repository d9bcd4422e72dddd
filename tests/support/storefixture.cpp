#include "support/storefixture.h"

#include "store/collation.h"
#include "text/locale.h"

void StoreTest::SetUp() {
    InstallEnglishUiStrings();
    MakeDirectories(L"wordlists");
    CurrentPracticeList.clear();
    SetMessageHook([this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
        messages.push_back({owner, text, caption, type});
        return IDOK;
    });
}

void StoreTest::TearDown() {
    CloseListFiles();
    CurrentPracticeList.clear();
    SetMessageHook({});
    ActiveSortTable = {};
    SetCollationLocale(L"english");
}

std::string StoreTest::LanguageFile(const std::vector<std::string>& languageLines, const std::string& selected) {
    std::string text = "# Languages of this folder\r\n[Languages]\r\n";
    for (const auto& line : languageLines) text += line + "\r\n";
    text += "\r\n";
    if (!selected.empty()) text += "[Selected]\r\n" + selected + "\r\n";
    return text;
}

void StoreTest::Open() {
    ASSERT_EQ(LoadCatalogue(), 0);
    ReadSelection();
    SetCollationLocale(CurrentWordList().locale);
    LoadSortTable();
    ASSERT_EQ(TryOpenWordListFile(), 0);
    CountRecords();
}

void StoreTest::OpenFrench(const std::vector<WordEntry>& entries) {
    WriteBytes(L"languages.ini", LanguageFile({"French,french"}, "Fre_Eng.tvk"));
    WriteWordList(L"Fre_Eng.tvk", entries);
    Open();
}

void StoreTest::WriteWordList(const std::wstring& fileName, const std::vector<WordEntry>& entries, UINT cp1,
                              UINT cp2) {
    std::string bytes;
    for (const WordEntry& e : entries) {
        const WordRecord r = EncodeRecord(e, cp1, cp2);
        bytes.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
    }
    WriteBytes(L"wordlists\\" + fileName, bytes);
}

std::vector<WordEntry> DecodeRecords(std::string_view bytes, UINT firstCodePage, UINT secondCodePage) {
    std::vector<WordEntry> entries;
    for (std::size_t pos = 0; pos + kRecordSize <= bytes.size(); pos += kRecordSize) {
        WordRecord r;
        std::copy_n(bytes.data() + pos, kRecordSize, r.bytes);
        entries.push_back(DecodeRecord(r, firstCodePage, secondCodePage));
    }
    return entries;
}

std::vector<WordEntry> StoreTest::ReadWordList(const std::wstring& fileName, UINT cp1, UINT cp2) {
    return DecodeRecords(ReadBytes(L"wordlists\\" + fileName), cp1, cp2);
}

std::vector<std::wstring> StoreTest::FirstWords(const std::vector<WordEntry>& entries) {
    std::vector<std::wstring> words;
    for (const auto& e : entries) words.push_back(e.first);
    return words;
}

WordListDescriptor& StoreTest::Find(const std::wstring& firstName, const std::wstring& secondName) {
    for (const auto& d : Catalogue())
        if (d->firstName == firstName && d->secondName == secondName) return *d;
    ADD_FAILURE() << "no such word list";
    return CurrentWordList();
}
