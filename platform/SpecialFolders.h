#pragma once

#include <QString>

// The well-known folders a program may keep its files in, as absolute paths without a trailing
// path delimiter. They may not exist yet; callers that store files there create them.
namespace SpecialFolders {

// The user's documents folder (~/Documents).
QString DocumentsFolder();
// The user's roaming application data, shared by all programs (~/.config).
QString RoamingDataFolder();
// The system-wide configuration folder (/etc), where machine-wide settings live.
QString SystemFolder();
// The folder that holds the running executable.
QString ProgramFolder();

}  // namespace SpecialFolders
