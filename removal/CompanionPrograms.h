#pragma once
// The programs that ship beside the wizard on the medium: the removal window and the deployment
// program. The entry in the list of installed programs starts them from the folder it keeps
// (removal/ProgramEntry.h), so registration copies both there; the medium checker asks for them too.
// Kept apart from the registration so that a program which only names them links none of it.

// The removal window's and the deployment program's file names.
extern const char kRemovalWindowFile[];
extern const char kDeployProgramFile[];
