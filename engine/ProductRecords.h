#pragma once
// The product's own records under HKLM "SOFTWARE\Qelvan" (which files it placed, which medium added each
// driver): a record's line goes once what it speaks of is gone, and the record's key, then the product's
// key, go with their last value. Nothing else is ever written there.

// The product's key, "SOFTWARE\Qelvan".
extern const char kProductRecordsKey[];

// Deletes the value name of the record recordKey (a key below the product's), then the record's key and
// the product's key when each is empty.
void ForgetRecordLine(const char* recordKey, const char* name);
