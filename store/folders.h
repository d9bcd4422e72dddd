// Folders of the data folder: practice lists, word lists and the like.
#pragma once

#include <string>

// Creates the folder and every missing folder on its way ('\' or '/' separated).
void MakeFolders(const std::wstring& path);
// Removes the folder with everything in it; what cannot be removed stays.
void RemoveFolderTree(const std::wstring& path);
