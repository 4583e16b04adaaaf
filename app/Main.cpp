// The program's one application object; the framework's WinMain runs it.
#include "app/SetupApp.h"

SetupApp theSetupApp;
