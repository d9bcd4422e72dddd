// Where recorded pronunciations live: one wave file per word in a folder per
// language. The recorder writes the files and the Search window plays them, so both
// build the name here.
#pragma once

#include <string>

// sound\<language>
std::wstring SoundFolder(const std::wstring& language);
// The word as a file name: characters no file name can hold (< > : " / \ | ? * and
// control characters) become '_', and a word the system reserves for a device (con,
// aux, nul, prn, com1 ... lpt9, also before a dot) gets a '_' after that name. Any
// other word is its own name, so recordings named after the plain word still count.
std::wstring SoundFileName(const std::wstring& word);
// sound\<language>\<file name of the word>.wav
std::wstring SoundFilePath(const std::wstring& language, const std::wstring& word);
