// The user's folders (profile data and user levels) and the few desktop
// services the rest of the game needs: folder listings by extension,
// opening a document or web address, and the system-version test.
#pragma once

#include <list>

enum { USER_DIR_SIZE = 260 };

// Builds and creates the profile folder ("<local data>/Tolvey Games/ZOBK Data/")
// and the levels folder ("<documents>/ZOBK Levels/"). Falls back to
// "resource/" and the working folder when the system folders are unknown.
void InitUserDirectories();
// Forgets both folders, as before InitUserDirectories: the error log then
// goes to the working folder again (tests start each case from there).
void ResetUserDirectories();
const char* GetProfileDirectory();
const char* GetLevelsDirectory();

// Fills result with newly allocated names (free with delete[]) of the files
// in folder whose names end in the first occurrence of extension, without
// the extension. Unsorted: result is replaced by the names in listing order.
// Sorted: result must be empty (a list holding names is refused, logged and
// left as it is) and takes the names sorted ignoring case, equal names in
// listing order.
void GetFiles(std::list<char*>& result, const char* folder, const char* extension, bool sorted);

// Opens a file or web address with the user's desktop programs; the result
// is ignored.
void OpenWithShell(const char* target);

bool IsVistaOrLater();
bool IsWindowsNT();
bool IsWindows9x();

// Creates one folder; an existing folder is no error.
void MakeDirectory(const char* path);
