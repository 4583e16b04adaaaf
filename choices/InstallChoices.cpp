#include "choices/InstallChoices.h"

InstallMode installMode = Typical;
MessageText resultMessage = {};
int32_t reloadBaudRate = 1;
char portSection[200] = {};
char modelIniPath[kConfigPathSize] = {};
InstallMode lastListMode = Typical;
