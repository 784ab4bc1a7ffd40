// The schedule file on disk: read whole at start, written whole at exit through a
// temporary file that replaces the old one in a single rename, so the file on disk
// is always either the old schedule or the new one.
#pragma once

#include <windows.h>

#include <string>

#include "framework/FileErrors.h"
#include "framework/FileIo.h"
#include "schedule/ScheduleFile.h"

namespace plover {

struct ScheduleLoad {
    enum Outcome {
        Loaded,
        OpenFailed,     // `error` says why
        EndedEarly,     // the file ends inside its data; what was read is kept
        ReadFailed,     // anything else (no memory for the file, a failing disk)
    };
    Outcome outcome = Loaded;
    FileError error = FileError::None;
};

struct ScheduleSave {
    enum Outcome {
        Saved,
        FileFailed,   // creating or writing a file failed; `error` says why
        OtherFailed,  // no memory for the file's image
    };
    Outcome outcome = Saved;
    FileError error = FileError::None;
    DWORD code = ERROR_SUCCESS;  // the system's own reason, for FileFailed
};

// Path of the schedule file beside the program: everything up to the last
// backslash of the executable's path, then \Plover.pvd.
std::wstring ScheduleFilePath(const std::wstring& executablePath);

// Where a file that could not be read in full is kept before anything is written
// over it.  (The half-written file is at TemporaryPath, as for every whole write.)
std::wstring BackupPath(const std::wstring& path);

// Removes a temporary file left by a write that was killed; when the schedule file
// itself is missing and the temporary one is complete, it becomes the schedule.
void RecoverInterruptedWrite(const std::wstring& path);

ScheduleLoad LoadScheduleFile(const std::wstring& path, ScheduleHeader& header,
                              CScheduleList& list);

// Writes the whole file anew.  With `keepBackup` the present file is first copied
// to its backup path; if that copy fails nothing is written.
ScheduleSave SaveScheduleFile(const std::wstring& path, std::int32_t target,
                              const CScheduleList& list, bool keepBackup);

}  // namespace plover
