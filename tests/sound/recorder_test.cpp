// The recorder's walk, its saved position, the device's command sequence and the
// file names recording and playback share.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sound/recordersteps.h"
#include "sound/recording.h"
#include "store/soundfiles.h"
#include "support/testenv.h"

namespace {

// A wave file of 8-bit mono sound with these chunks between its format and its data.
std::string Wave(std::string_view sound, std::string_view chunksBefore = {}) {
    const auto le32 = [](std::size_t v) {
        std::string out;
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        return out;
    };
    // PCM, one channel, 11 025 samples of one byte a second.
    const std::string format("\x01\x00\x01\x00\x11\x2b\x00\x00\x11\x2b\x00\x00\x01\x00\x08\x00", 16);
    std::string body = "WAVEfmt " + le32(16) + format;
    body += chunksBefore;
    body += "data" + le32(sound.size()) + std::string(sound);
    return "RIFF" + le32(body.size()) + body;
}

}  // namespace

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

TEST(WaveHoldsSound, OnlyADataChunkWithBytes) {
    const std::string silent = Wave("");  // what a device without input saves: 44 bytes
    EXPECT_EQ(silent.size(), 44u);
    EXPECT_FALSE(WaveHoldsSound(silent));
    EXPECT_TRUE(WaveHoldsSound(Wave("\x80\x81")));
    // Other chunks before the data, an odd one padded to an even length.
    EXPECT_TRUE(WaveHoldsSound(Wave("\x80", std::string("LIST\x03\x00\x00\x00" "abc", 12))));
    // Cut short, or not a wave file at all.
    EXPECT_FALSE(WaveHoldsSound(Wave("\x80\x81").substr(0, 44)));
    EXPECT_FALSE(WaveHoldsSound(Wave("\x80", std::string("LIST\xff\x00\x00\x00", 8))));
    EXPECT_FALSE(WaveHoldsSound("RIFF"));
    EXPECT_FALSE(WaveHoldsSound(""));
}

// The device saves where it is told; the word's file is only replaced by a recording
// that holds sound and no error, and a recording that does not leaves nothing behind.
TEST(StopAndKeep, KeepsOnlyRecordingsWithSoundAndNoDeviceError) {
    TempDirectory dir;
    const std::wstring path = L"oui.wav";
    std::string saves;  // what the device writes on "save"
    bool stopWorks = true;
    const auto send = [&](const std::wstring& c) {
        if (c == kStopSoundCommand) return stopWorks;
        if (c.rfind(L"save ", 0) == 0) WriteBytes(c.substr(c.find(L'"') + 1, c.size() - c.find(L'"') - 2), saves);
        return true;
    };
    const auto record = [&] {
        SoundRecording r(send);
        r.Start(nullptr);
        return StopAndKeep(r, path);
    };

    saves = Wave("");
    EXPECT_EQ(record(), KeptRecording::NoSound);
    EXPECT_TRUE(FilesBelow(dir.Path()).empty());

    saves = Wave("\x80\x81");
    EXPECT_EQ(record(), KeptRecording::Kept);
    EXPECT_EQ(ReadBytes(path), saves);

    // A later recording without sound, or one the device reports an error for, leaves the
    // earlier recording as it was.
    const std::string earlier = saves;
    saves = Wave("");
    EXPECT_EQ(record(), KeptRecording::NoSound);
    saves = Wave("\x7f");
    stopWorks = false;
    EXPECT_EQ(record(), KeptRecording::NoSound);
    EXPECT_EQ(FilesBelow(dir.Path()), (std::map<std::wstring, std::string>{{dir.Full(path), earlier}}));

    // A device that opens but does not record is closed again at once.
    std::vector<std::wstring> sent;
    SoundRecording deaf([&](const std::wstring& c) {
        sent.push_back(c);
        return c != kRecordSoundCommand;
    });
    EXPECT_FALSE(deaf.Start(nullptr));
    EXPECT_FALSE(deaf.Running());
    EXPECT_EQ(sent, (std::vector<std::wstring>{kOpenSoundCommand, kRecordSoundCommand, kCloseSoundCommand}));
}
