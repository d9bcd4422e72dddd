#include "app/fonts.h"

#include <cstring>
#include <cwchar>
#include <map>

#include "text/codepage.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"

HFONT TitleFont = nullptr;
HFONT LanguageFont = nullptr;
HFONT ArialFont15 = nullptr;
HFONT ArialBoldFont14 = nullptr;
HFONT ArialBoldFont12 = nullptr;
HFONT ArialBoldFont15 = nullptr;
HFONT ArialFont10 = nullptr;
HFONT GuiFont = nullptr;

LOGFONTW ScaledFontDescription(int pointSize, int weight, const wchar_t* face, int charset) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(pointSize, 96, 72);
    lf.lfWeight = weight;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    const wchar_t* chosen = face;
    if (charset >= kCharsetForeignFontBase) {
        // A number the strings file gave no face for falls back to the caller's face.
        const wchar_t* foreign = ForeignFontFace(charset);
        if (foreign) chosen = foreign;
        lf.lfCharSet = ANSI_CHARSET;
    } else if (charset == kCharsetSudEuro) {
        chosen = kSudEuroFace;
        lf.lfCharSet = ANSI_CHARSET;
    } else {
        lf.lfCharSet = static_cast<BYTE>(charset);
    }
    if (chosen) std::wcsncpy(lf.lfFaceName, chosen, LF_FACESIZE - 1);
    return lf;
}

HFONT CreateScaledFont(int pointSize, int weight, const wchar_t* face, int charset) {
    const LOGFONTW lf = ScaledFontDescription(pointSize, weight, face, charset);
    return CreateFontIndirectW(&lf);
}

namespace {

struct DpiFontKey {
    LOGFONTW font;
    UINT dpi;
    bool operator<(const DpiFontKey& other) const {
        if (dpi != other.dpi) return dpi < other.dpi;
        return std::memcmp(&font, &other.font, sizeof font) < 0;
    }
};

}  // namespace

HFONT FontForDpi(HFONT layoutFont, UINT dpi) {
    if (!layoutFont || dpi == kLayoutDpi) return layoutFont;
    DpiFontKey key{};
    if (GetObjectW(layoutFont, sizeof key.font, &key.font) != sizeof key.font) return layoutFont;
    key.dpi = dpi;
    // Keyed by the description, not the handle: a font deleted and another made with the
    // same handle cannot be mistaken for it.
    static std::map<DpiFontKey, UniqueFont> fonts;
    UniqueFont& made = fonts[key];
    if (!made) {
        LOGFONTW scaled = key.font;
        scaled.lfHeight = MulDiv(key.font.lfHeight, static_cast<int>(dpi), static_cast<int>(kLayoutDpi));
        scaled.lfWidth = MulDiv(key.font.lfWidth, static_cast<int>(dpi), static_cast<int>(kLayoutDpi));
        made.Reset(CreateFontIndirectW(&scaled));
    }
    return made ? made.Get() : layoutFont;
}

void CreateSharedFonts(const SharedFontSettings& s, int uiCharset) {
    DeleteSharedFonts();
    TitleFont = CreateScaledFont(43, FW_BOLD, kDefaultWordFace, uiCharset);
    LanguageFont = CreateScaledFont(s.languageSize, FW_BOLD, s.languageFace.c_str(), uiCharset);
    ArialFont15 = CreateScaledFont(15, FW_NORMAL, kDefaultArialFace, uiCharset);
    ArialBoldFont14 = CreateScaledFont(14, FW_BOLD, kDefaultArialFace, uiCharset);
    ArialBoldFont12 = CreateScaledFont(12, FW_BOLD, kDefaultArialFace, uiCharset);
    ArialBoldFont15 = CreateScaledFont(15, FW_BOLD, kDefaultArialFace, uiCharset);
    ArialFont10 = CreateScaledFont(10, FW_NORMAL, kDefaultArialFace, uiCharset);
    GuiFont = CreateScaledFont(s.guiSize, FW_NORMAL, s.guiFace.c_str(), uiCharset);
}

void DeleteSharedFonts() {
    for (HFONT* font : {&TitleFont, &LanguageFont, &ArialFont15, &ArialBoldFont14, &ArialBoldFont12, &ArialBoldFont15,
                        &ArialFont10, &GuiFont}) {
        if (*font) DeleteObject(*font);
        *font = nullptr;
    }
}
