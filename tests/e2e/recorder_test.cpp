// The recorder of the real program: recordings named after the words, the walk to the
// end of the list, the entry reached kept for the next opening, the recordings found
// again by the Search window, and a recording without sound not kept.
#include <optional>
#include <string>
#include <vector>

#include "e2e/e2efixture.h"

using namespace e2e;

namespace {

constexpr int kRecordCommand = 25;
constexpr int kSearchCommand = 12;
constexpr int kStartStop = 26;
constexpr int kSkip = 27;
constexpr int kBack = 28;
constexpr int kPlayItem = 58;

// Which library the system's MCI loads for the waveaudio device type: its own, which
// without a sound card saves recordings that hold no sound, or the tests' stand-in for
// a working device. The Wine prefix the tests run in looks the type up in this key
// before its system.ini.
constexpr wchar_t kMciDevices[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI";
constexpr wchar_t kWaveDevice[] = L"WaveAudio";
constexpr wchar_t kWorkingWaveDevice[] = L"lingorix_fakewave.dll";

bool UseWorkingWaveDevice(bool working) {
    if (!working) {
        const LSTATUS removed = RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kMciDevices, kWaveDevice);
        return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
    }
    const auto bytes = static_cast<DWORD>((wcslen(kWorkingWaveDevice) + 1) * sizeof(wchar_t));
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, kMciDevices, kWaveDevice, REG_SZ, kWorkingWaveDevice, bytes) ==
           ERROR_SUCCESS;
}

class RecorderTest : public EndToEndTest {
protected:
    // A short French list, so that the walk reaches its end; "et/ou" holds a character
    // no file name can. Recording works, as with a microphone; the program finds the
    // stand-in beside its data.
    void SetUp() override {
        EndToEndTest::SetUp();
        WriteFrenchList({{L"chat", L"cat", 0}, {L"chien", L"dog", 0}, {L"et/ou", L"and/or", 0}, {L"maison", L"house", 0}});
        const std::wstring device = std::wstring(L"\\") + kWorkingWaveDevice;
        ASSERT_TRUE(CopyFileW((OwnDirectory() + device).c_str(), (folder.Path() + device).c_str(), FALSE));
        ASSERT_TRUE(UseWorkingWaveDevice(true));
    }
    void TearDown() override {
        UseWorkingWaveDevice(false);
        EndToEndTest::TearDown();
    }
    void WriteFrenchList(const std::vector<WordEntry>& entries) const {
        std::string bytes;
        for (const WordEntry& e : entries) {
            const WordRecord r = EncodeRecord(e, 1252, 1252);
            bytes.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
        }
        folder.Write(L"wordlists\\Fre_Eng.tvk", bytes);
    }
    HWND OpenRecorder(LaunchedApp& app, HWND main) {
        Command(main, kRecordCommand);
        HWND recorder = app.WaitForWindow(L"record", nullptr);
        if (recorder) firstRow = WaitForControl(recorder, 100);
        return recorder;
    }
    HWND StartRecorder(LaunchedApp& app, HWND& main) {
        main = StartMainWindow(app);
        return main ? OpenRecorder(app, main) : nullptr;
    }
    // Whether the Play item of the row's menu may be chosen; nothing without the item.
    static std::optional<bool> PlayOffered(const LaunchedApp& app, HWND row) {
        const MenuItem* play = ReadContextMenu(app, row).Find(kPlayItem);
        return play ? std::optional<bool>(!play->grayed) : std::nullopt;
    }
    static void Press(HWND recorder, int id) {
        PostMessageW(recorder, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(recorder, id)));
    }
    static bool Close(HWND window, HWND main) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return WaitUntil([&] { return !IsWindow(window) && IsWindowVisible(main); }, 20000);
    }
    static HWND WordDisplay(HWND recorder) { return GetDlgItem(recorder, 45); }
    // Start, then Stop: the word shown when it started is the one recorded.
    static bool Record(HWND recorder) {
        HWND button = GetDlgItem(recorder, kStartStop);
        Press(recorder, kStartStop);
        if (!TextBecomes(button, EnglishText("RecordStop"))) return false;
        Press(recorder, kStartStop);
        return TextBecomes(button, EnglishText("RecordStart"));
    }
    bool Recorded(const std::wstring& name) const {
        return WaitUntil([&] { return folder.Exists(L"sound\\French\\" + name + L".wav"); }, 10000);
    }
    // The Search window's first-word row showing the word; a list this short fills the
    // rows from its start, whatever is typed.
    static HWND RowShowing(HWND search, const wchar_t* word) {
        HWND found = nullptr;
        WaitUntil([&] {
            for (int i = 0; i < 8 && !found; ++i)
                if (ControlText(GetDlgItem(search, 100 + i)) == word) found = GetDlgItem(search, 100 + i);
            return found != nullptr;
        }, 10000);
        return found;
    }
    HWND firstRow = nullptr;
};

TEST_F(RecorderTest, RecordsAListOverTwoOpeningsToItsEnd) {
    LaunchedApp app(folder);
    HWND main = nullptr;
    HWND recorder = StartRecorder(app, main);
    ASSERT_NE(recorder, nullptr);
    ASSERT_TRUE(TextBecomes(WordDisplay(recorder), L"chat"));

    // Scrolling while recording only browses: the recording stays with "chat".
    Press(recorder, kStartStop);
    ASSERT_TRUE(TextBecomes(GetDlgItem(recorder, kStartStop), EnglishText("RecordStop")));
    PostMessageW(recorder, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(GetDlgItem(recorder, 41)));
    ASSERT_TRUE(TextBecomes(firstRow, L"chien"));
    EXPECT_EQ(ControlText(WordDisplay(recorder)), L"chat");
    Press(recorder, kStartStop);
    EXPECT_TRUE(Recorded(L"chat"));
    EXPECT_FALSE(folder.Exists(L"sound\\French\\chien.wav"));

    // Two more in a row; the forbidden '/' becomes '_' in the file name.
    ASSERT_TRUE(TextBecomes(WordDisplay(recorder), L"chien"));
    ASSERT_TRUE(Record(recorder));
    ASSERT_TRUE(TextBecomes(WordDisplay(recorder), L"et/ou"));
    ASSERT_TRUE(Record(recorder));
    EXPECT_TRUE(Recorded(L"chien"));
    EXPECT_TRUE(Recorded(L"et_ou"));
    ASSERT_TRUE(TextBecomes(WordDisplay(recorder), L"maison"));
    ASSERT_TRUE(Close(recorder, main));
    EXPECT_EQ(profile::Int(L"lastrecord_French"), 3);

    // The next opening goes on at "maison"; Skip past the last entry ends the list,
    // Back returns to a real entry.
    recorder = OpenRecorder(app, main);
    ASSERT_NE(recorder, nullptr);
    ASSERT_TRUE(TextBecomes(WordDisplay(recorder), L"maison"));
    Press(recorder, kSkip);
    EXPECT_TRUE(TextBecomes(WordDisplay(recorder), EnglishText("RecordEndOfList")));
    Press(recorder, kBack);
    EXPECT_TRUE(TextBecomes(WordDisplay(recorder), L"et/ou"));
    EXPECT_TRUE(CloseAndExit(app, recorder, main));
}

TEST_F(RecorderTest, ClosingWhileRecordingLeavesTheDeviceFreeForTheNextOpening) {
    LaunchedApp app(folder);
    HWND main = nullptr;
    HWND recorder = StartRecorder(app, main);
    ASSERT_NE(recorder, nullptr);
    Press(recorder, kStartStop);
    ASSERT_TRUE(TextBecomes(GetDlgItem(recorder, kStartStop), EnglishText("RecordStop")));
    ASSERT_TRUE(Close(recorder, main));
    EXPECT_FALSE(folder.Exists(L"sound\\French\\chat.wav"));

    recorder = OpenRecorder(app, main);
    ASSERT_NE(recorder, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(recorder, kStartStop)), EnglishText("RecordStart"));
    ASSERT_TRUE(TextBecomes(WordDisplay(recorder), L"chat"));
    ASSERT_TRUE(Record(recorder));
    EXPECT_TRUE(Recorded(L"chat"));
    EXPECT_TRUE(CloseAndExit(app, recorder, main));
}

TEST_F(RecorderTest, AnEmptyListOffersNothingToRecord) {
    WriteFrenchList({});
    LaunchedApp app(folder);
    HWND main = nullptr;
    HWND recorder = StartRecorder(app, main);
    ASSERT_NE(recorder, nullptr);
    EXPECT_TRUE(TextBecomes(WordDisplay(recorder), EnglishText("RecordEndOfList")));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(recorder, kStartStop)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(recorder, kSkip)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(recorder, kBack)));
    EXPECT_TRUE(CloseAndExit(app, recorder, main));
}

// A word recorded in the recorder, its name holding a '/', is offered for playing in
// the Search window; a word without a recording is not.
TEST_F(RecorderTest, TheSearchWindowPlaysWhatWasRecorded) {
    LaunchedApp app(folder);
    HWND main = nullptr;
    HWND recorder = StartRecorder(app, main);
    ASSERT_NE(recorder, nullptr);
    Press(recorder, kSkip);
    Press(recorder, kSkip);
    ASSERT_TRUE(TextBecomes(WordDisplay(recorder), L"et/ou"));
    ASSERT_TRUE(Record(recorder));
    ASSERT_TRUE(Recorded(L"et_ou"));
    ASSERT_TRUE(Close(recorder, main));

    Command(main, kSearchCommand);
    HWND search = app.WaitForWindow(L"zoeken", nullptr);
    ASSERT_NE(search, nullptr);
    HWND lookUp = WaitForControl(search, 30);
    ASSERT_TRUE(TypeText(search, L"et"));
    ASSERT_TRUE(TextBecomes(lookUp, L"et"));
    HWND recordedRow = RowShowing(search, L"et/ou");
    HWND otherRow = RowShowing(search, L"maison");
    ASSERT_TRUE(recordedRow && otherRow);
    EXPECT_EQ(PlayOffered(app, recordedRow), std::optional<bool>(true));
    EXPECT_EQ(PlayOffered(app, otherRow), std::optional<bool>(false));
    // Playing is synchronous; the window answers again once the recording has played.
    PostMessageW(recordedRow, WM_COMMAND, kPlayItem, 0);
    ASSERT_TRUE(TypeText(search, L"\r"));
    EXPECT_TRUE(TextBecomes(lookUp, L""));
    EXPECT_TRUE(CloseAndExit(app, search, main));
}

// The system's device without a sound card records nothing and saves a wave file whose
// data is empty: the recorder says so, keeps no file and stays on the word, and the
// Search window offers nothing to play for it.
TEST_F(RecorderTest, ARecordingWithoutSoundIsNotKept) {
    ASSERT_TRUE(UseWorkingWaveDevice(false));
    LaunchedApp app(folder);
    HWND main = nullptr;
    HWND recorder = StartRecorder(app, main);
    ASSERT_NE(recorder, nullptr);
    ASSERT_TRUE(TextBecomes(WordDisplay(recorder), L"chat"));
    HWND button = GetDlgItem(recorder, kStartStop);
    Press(recorder, kStartStop);
    ASSERT_TRUE(TextBecomes(button, EnglishText("RecordStop")));
    Press(recorder, kStartStop);
    std::optional<MessageBoxWindow> box;
    ASSERT_TRUE(WaitUntil(
        [&] {
            box = app.FindMessageBox();
            return box || ControlText(WordDisplay(recorder)) != L"chat";
        },
        10000));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Text(), EnglishText("RecordNoSound"));
    box->Press(IDOK);
    EXPECT_TRUE(TextBecomes(button, EnglishText("RecordStart")));
    EXPECT_EQ(ControlText(WordDisplay(recorder)), L"chat");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(recorder, kSkip)));
    EXPECT_FALSE(folder.Exists(L"sound\\French\\chat.wav"));
    EXPECT_FALSE(folder.Exists(L"sound\\French\\chat.wav.new"));
    ASSERT_TRUE(Close(recorder, main));

    Command(main, kSearchCommand);
    HWND search = app.WaitForWindow(L"zoeken", nullptr);
    ASSERT_NE(search, nullptr);
    HWND row = RowShowing(search, L"chat");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(PlayOffered(app, row), std::optional<bool>(false));
    EXPECT_TRUE(CloseAndExit(app, search, main));
}

}  // namespace
