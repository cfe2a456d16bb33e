#pragma once

// Whether the folder of text files is safe to write into. Somebody else who can change the folder can plant a
// link under one of the file names and have the board overwrite whatever the link points to.
struct FolderAccess {
    unsigned mode = 0;         // permission bits as the system reports them (0777 plus the sticky bit 01000)
    bool ownedByUser = false;  // the folder belongs to the user running the board
    bool ownedByAdmin = false; // ... or to the system's administrator
};

// True when another user can change the folder: it is writable by everybody (unless it is sticky and the
// user's own, so nobody can replace the user's files in it), or it belongs to another ordinary user.
bool folderOpenToOthers(const FolderAccess& access);
