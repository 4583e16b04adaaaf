#pragma once
// Creation of window wrappers by class name (the toolkit's dynamic creation): a class registers a
// factory under its name, and CreateObjectByName makes a new object of it.

class CWnd;

typedef CWnd* (*WndFactory)();

// Registers factory under name (kept by pointer, so a literal). False when the name is taken or the
// table of 16 classes is full.
bool RegisterRuntimeClass(const char* name, WndFactory factory);
// A new object of the named class, owned by the caller; null for an unknown name.
CWnd* CreateObjectByName(const char* name);
