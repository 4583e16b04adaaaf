#include "deploy/PersonalDefault.h"

#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "engine/SystemAccount.h"

bool DefaultPrinterIsAPersons(const char* undone) {
    if (!RunsAsSystemAccount()) return true;
    SayResourceFormatted(IDS_DEPLOY_DEFAULT_IS_PERSONAL, undone);
    return false;
}
