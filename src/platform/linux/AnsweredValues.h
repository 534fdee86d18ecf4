#pragma once

#include "platform/linux/RegistryTree.h"

namespace saver {

// Registry values that Windows keeps for the system and that Linux answers from its own
// sources. They are computed once, when the registry is made.

// The machine hive, read-only:
// - "Software\Microsoft\Windows\CurrentVersion" "ProgramFilesDir" = "/opt", the folder of
//   add-on application packages;
// - "Software\Microsoft\Windows NT\CurrentVersion" and, for the 9x systems' key,
//   "Software\Microsoft\Windows\CurrentVersion": "RegisteredOwner" = the user's full name
//   (empty when the passwd entry has none) and "RegisteredOrganization" = "" (Linux keeps
//   no such thing).
RegistryTree MachineHiveValues();

// Defaults of the user hive, used when the user's file has no value of the name:
// "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders" "AppData" = the XDG
// data home. Missing when no home folder can be found.
RegistryTree UserHiveDefaults();

}  // namespace saver
