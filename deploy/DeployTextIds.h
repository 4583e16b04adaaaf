#pragma once
// Identifiers of QelvanDeploy's own texts (deploy/DeployStrings.rc); the texts it shares with the wizard
// and the removal window come from the shared table (resources/ResourceIds.h). A format lists its
// conversions in the comment, in the order the text takes its arguments.

// The output's own forms (1000-1009).
#define IDS_DEPLOY_WITH_ERROR 1000  // %s %lu

// The commands, the usage and the choices of a run (1010-1499).

// Profiles, the driver against the medium, component updates and the test page (1500-1999).
