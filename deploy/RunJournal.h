#pragma once
// The journal of a run the Windows Installer may take back: before apply changes anything it writes
// down, in a folder of the package's, what on the till the run may change (the printers, the medium's
// drivers, monitors and processor that are registered, the files of the medium's names in the system's
// folders with their bytes, the product's and the maker's keys, the ports' serial settings and the
// default printer). A rollback undoes the run from it in reverse order; a commit lets it go.

#include <string>

// Makes folder, which must not exist yet, and writes the journal in it. False with a line said when
// the folder is there already or the journal cannot be written: the run then changes nothing.
bool WriteRunJournal(const std::string& folder);

// Makes the till as the journal in folder says it was, each step said in a line: printers the run added,
// then drivers, monitors and processors it registered, then the files, keys and values it wrote. False
// when a step could not be undone (its line says which) or there is no journal.
bool UndoRun(const std::string& folder);

// True when folder holds a journal.
bool RunJournalThere(const std::string& folder);

// Deletes the journal's own files in folder and the folder when that leaves it empty.
void DiscardRunJournal(const std::string& folder);
