#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// Whether a file name fits one mask: "*" matches any run of characters (none included), "?"
// exactly one, every other character itself, ignoring the case of the ASCII letters only. An empty
// mask fits no name.
bool FitsMask(const QString& Mask, const QString& Name);

// Clears List and fills it with the full path of every file under Folder whose name fits one of
// Masks (separated by ";"; a mask starting with "." means "*" followed by it), in the order the
// file system lists the entries, a subfolder's files where the subfolder is met. MaxDepth is the
// number of subfolder levels to descend (0: Folder alone). Returns whether Folder is an existing
// directory.
bool FindFiles(const QString& Folder, const QString& Masks, uint16_t MaxDepth, QStringList& List);
