#include "removal/CompanionPrograms.h"

const char kRemovalWindowFile[] = "Drovix.exe";
const char kDeployProgramFile[] = "QelvanDeploy.exe";
