// The two commands that exchange the schedule with other calendars through
// iCalendar files: the whole schedule written out, and the events of a file
// brought in after the user has picked which.
#pragma once

#include <windows.h>

#include <functional>

#include "calendar/ICalendar.h"

namespace plover {

class CDialog;
class CPloverDoc;

// Asks where (the save dialog, in the user's Documents, "Plover.ics"), writes the
// file whole or not at all, and says what was written.
void ExportCalendar(HWND owner, const CPloverDoc& doc);

// What an import reads a file against: today, and this machine's own time zone
// rules for the local time of a UTC moment.
ical::ReadContext MachineReadContext();

// Asks which file, reads it, lets the user pick in the import dialog (run by
// `runDialog`, as the program runs its dialogs) and appends the picked events at
// the tail of the schedule; says what was added, left out and changed.  A file
// that cannot be read changes nothing.
void ImportCalendar(HWND owner, CPloverDoc& doc, const std::function<INT_PTR(CDialog&)>& runDialog);

}  // namespace plover
