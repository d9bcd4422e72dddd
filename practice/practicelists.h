// Practice lists: one folder each below the practice list root, shared by all
// language pairs.
#pragma once

#include <string>

// Entries of the practice list root that are folders, "." and ".." included as the
// enumeration returns them; 0 when the root cannot be read. So 2 means a readable
// root without lists.
int CountPracticeLists();

// Whether a practice list (a folder not beginning with ".") of this name exists,
// without regard to case.
bool PracticeListExists(const std::wstring& name);
