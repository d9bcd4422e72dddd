// The recorder's walk, its saved position, the device's command sequence and the
// file names recording and playback share.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/recordersteps.h"
#include "sound/recording.h"
#include "store/soundfiles.h"

TEST(SoundFileName, KeepsPlainWordsAndMendsWhatNoFileNameHolds) {
    EXPECT_EQ(SoundFileName(L"s'il vous plaît"), L"s'il vous plaît");
    EXPECT_EQ(SoundFileName(L"un, deux"), L"un, deux");
    EXPECT_EQ(SoundFileName(L"ça va?"), L"ça va_");
    EXPECT_EQ(SoundFileName(L"a/b\\c:d*e\"f<g>h|i\x01"), L"a_b_c_d_e_f_g_h_i_");
    // Device names, also before a dot or blanks, in any case.
    EXPECT_EQ(SoundFileName(L"con"), L"con_");
    EXPECT_EQ(SoundFileName(L"AUX.x"), L"AUX_.x");
    EXPECT_EQ(SoundFileName(L"nul "), L"nul_ ");
    EXPECT_EQ(SoundFileName(L"lpt9"), L"lpt9_");
    EXPECT_EQ(SoundFileName(L"com0"), L"com0");
    EXPECT_EQ(SoundFileName(L"console"), L"console");
    EXPECT_EQ(SoundFilePath(L"French", L"ça va?"), L"sound\\French\\ça va_.wav");
}

TEST(RecorderSteps, WalkStaysOnRealEntries) {
    EXPECT_EQ(StartIndex(99, 4), 3);
    EXPECT_EQ(StartIndex(-5, 4), 0);
    EXPECT_EQ(StartIndex(7, 0), 0);
    EXPECT_EQ(StepForward(1, 4).index, 2);
    EXPECT_FALSE(StepForward(1, 4).endOfList);
    EXPECT_EQ(StepForward(3, 4).index, 3);
    EXPECT_TRUE(StepForward(3, 4).endOfList);
    EXPECT_TRUE(StepForward(0, 0).endOfList);
    EXPECT_EQ(StepBack(0), 0);
    EXPECT_EQ(TopAfterRecorderScroll(2, SB_PAGEDOWN, 0, 4), 3);
    EXPECT_EQ(TopAfterRecorderScroll(2, SB_PAGEUP, 0, 40), 0);
    EXPECT_EQ(TopAfterRecorderScroll(0, SB_THUMBPOSITION, 3, 40), 30);
    EXPECT_EQ(TopAfterRecorderKey(3, VK_DOWN, 4), 3);
    EXPECT_EQ(RecorderScrollMax(3), 0);
    EXPECT_EQ(ProgressText(L"Word", L"of", 4, 120), L"Word 5 of 120");
    EXPECT_EQ(ProgressText(L"Word", L"of", 0, 0), L"");
}

TEST(SoundRecording, SendsTheCommandsInOrderAndNeverLeavesTheDeviceOpen) {
    std::vector<std::wstring> sent;
    bool openWorks = true;
    const auto send = [&](const std::wstring& c) {
        sent.push_back(c);
        return openWorks || c != kOpenSoundCommand;
    };
    {
        SoundRecording r(send);
        ASSERT_TRUE(r.Start(nullptr));
        r.StopAndSave(L"sound\\French\\oui.wav");
        EXPECT_FALSE(r.Running());
    }
    EXPECT_EQ(sent, (std::vector<std::wstring>{kOpenSoundCommand, kRecordSoundCommand, kStopSoundCommand,
                                               L"save mysound \"sound\\French\\oui.wav\"", kCloseSoundCommand}));
    sent.clear();
    { SoundRecording r(send); r.Start(nullptr); }  // ended while recording: closed, not saved
    EXPECT_EQ(sent, (std::vector<std::wstring>{kOpenSoundCommand, kRecordSoundCommand, kCloseSoundCommand}));
    sent.clear();
    openWorks = false;
    bool told = false;
    SoundRecording r(send);
    EXPECT_FALSE(r.Start([&] { told = true; }));
    EXPECT_TRUE(told);
    EXPECT_FALSE(r.Running());
    EXPECT_EQ(sent, std::vector<std::wstring>{kOpenSoundCommand});
}
