// The recorder of the real program: recordings named after the words, the walk to the
// end of the list and the entry reached kept for the next opening.
#include <string>

#include "e2e/e2efixture.h"

using namespace e2e;

namespace {

constexpr int kRecordCommand = 25;

class RecorderTest : public EndToEndTest {
protected:
    HWND OpenRecorder(LaunchedApp& app, HWND main) {
        Command(main, kRecordCommand);
        return app.WaitForWindow(L"record", nullptr);
    }
    static void Press(HWND recorder, int id) {
        PostMessageW(recorder, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(recorder, id)));
    }
    static std::wstring WordShown(HWND recorder) { return ControlText(GetDlgItem(recorder, 45)); }
};

TEST_F(RecorderTest, RecordsEntriesInARowAndContinuesWhereItStopped) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND recorder = OpenRecorder(app, main);
    ASSERT_NE(recorder, nullptr);
    HWND first = WaitForControl(recorder, 100);
    const std::wstring word0 = ControlText(first);
    ASSERT_FALSE(word0.empty());
    HWND button = GetDlgItem(recorder, 26);
    for (int i = 0; i < 2; ++i) {
        const std::wstring word = ControlText(first);
        Press(recorder, 26);
        ASSERT_TRUE(TextBecomes(button, EnglishText("RecordStop")));
        Press(recorder, 26);
        ASSERT_TRUE(TextBecomes(button, EnglishText("RecordStart")));
        EXPECT_TRUE(WaitUntil([&] { return folder.Exists(L"sound\\French\\" + word + L".wav"); }, 10000)) << i;
    }
    const std::wstring word2 = ControlText(first);
    Press(recorder, 27);  // Skip
    Press(recorder, 28);  // Back
    EXPECT_TRUE(TextBecomes(first, word2));
    PostMessageW(recorder, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(recorder) && IsWindowVisible(main); }, 20000));
    EXPECT_EQ(profile::Int(L"lastrecord_French"), 2);
    recorder = OpenRecorder(app, main);
    ASSERT_NE(recorder, nullptr);
    EXPECT_TRUE(TextBecomes(WaitForControl(recorder, 100), word2));
    PostMessageW(recorder, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(recorder) && IsWindowVisible(main); }, 20000));
    EXPECT_EQ(app.Exit(main), std::optional<DWORD>(0));
}

}  // namespace
