#pragma once
// The texts of the package's custom actions (PackageStrings.rc), 4000-4099. A format's comment lists its
// conversions in order.

#define IDS_PACKAGE_NO_PROFILE 4000       // %s
#define IDS_PACKAGE_PROFILE_MISSING 4001  // %s
#define IDS_PACKAGE_NOT_STARTED 4002      // %s %lu
#define IDS_PACKAGE_DEPLOY_FAILED 4003    // %d
#define IDS_PACKAGE_RESTART_REQUESTED 4004
#define IDS_PACKAGE_NEWER_INSTALLED 4005
#define IDS_PACKAGE_REMOVAL_SKIPPED_FOR_UPGRADE 4006
#define IDS_PACKAGE_BAD_PROPERTY 4007  // %s %s
#define IDS_PACKAGE_ANOTHER_RUN 4008
#define IDS_PACKAGE_REMOVAL_MEDIUM 4009       // %lu
#define IDS_PACKAGE_PROFILE_NOT_WRITTEN 4010  // %s %lu
#define IDS_PACKAGE_LOG_UNREACHABLE 4011      // %s
#define IDS_PACKAGE_LOG_LEFT_OUT 4012         // %s
#define IDS_PACKAGE_EXIT_LINE 4013            // %d
#define IDS_PACKAGE_NOT_FINISHED 4014         // %s
#define IDS_PACKAGE_PROFILE_TOO_LARGE 4015    // %s
