// The removal window's one application object; the framework's WinMain runs it.
#include "uninstall/RemovalApp.h"

RemovalApp theRemovalApp;
