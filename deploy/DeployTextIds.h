#pragma once
// Identifiers of QelvanDeploy's own texts (deploy/DeployStrings.rc); the texts it shares with the wizard
// and the removal window come from the shared table (resources/ResourceIds.h). A format lists its
// conversions in the comment, in the order the text takes its arguments.

// The output's own forms (1000-1009).
#define IDS_DEPLOY_WITH_ERROR 1000  // %s %lu

// The commands, the usage and the choices of a run (1010-1499).

// Profiles, the driver against the medium, component updates and the test page (1500-1999).
// apply: each entry of the profile, and what became of it.
#define IDS_APPLY_ENTRY_REFUSED 1500        // %s %s
#define IDS_APPLY_ENTRY 1501                // %s %s %s
#define IDS_APPLY_INSTALLED 1502            // %s %s
#define IDS_APPLY_INSTALLED_SEE_ABOVE 1503  // %s
#define IDS_APPLY_KEPT 1504                 // %s %s
#define IDS_APPLY_KEPT_SEE_ABOVE 1505       // %s
#define IDS_APPLY_UPDATED 1506              // %s %s
#define IDS_APPLY_UPDATED_SEE_ABOVE 1507    // %s
#define IDS_APPLY_FAILED 1508               // %s %s
#define IDS_APPLY_FAILED_SEE_ABOVE 1509     // %s
#define IDS_APPLY_EXACT_NOTHING_REMOVED 1510

// export: the printers written to the profile and those left out.
#define IDS_EXPORT_SERIAL_LEFT_OUT 1520  // %s %s %s %s %s
#define IDS_EXPORT_SERIAL_SEPARATOR 1521
#define IDS_EXPORT_NOT_OF_MEDIUM 1522  // %s %s %s
#define IDS_EXPORT_NO_DEFAULT 1523
#define IDS_EXPORT_PRINTER 1524          // %s %s %s
#define IDS_EXPORT_NOTHING_WRITTEN 1525  // %s
#define IDS_EXPORT_WRITTEN 1526          // %s %u

// The profile file: its refusals (the file, then the section and key), its reading and writing, and
// the comment lines that head a written file.
#define IDS_PROFILE_NOT_YES_NO 1540          // %s %s
#define IDS_PROFILE_UNREADABLE_LINE 1541     // %s %s %s
#define IDS_PROFILE_UNKNOWN_KEY 1542         // %s %s
#define IDS_PROFILE_NO_VALUE 1543            // %s %s
#define IDS_PROFILE_NO_MODEL 1544            // %s %s
#define IDS_PROFILE_NO_PORT 1545             // %s %s
#define IDS_PROFILE_COUNT_NOT_A_NUMBER 1546  // %s %s
#define IDS_PROFILE_COUNT_DIFFERS 1547       // %s %s %d %u
#define IDS_PROFILE_SERIAL_DIFFERS 1548      // %s %s %s %s %s
#define IDS_PROFILE_SERIAL_MISSING 1549      // %s %s %s %s %s
#define IDS_PROFILE_SECOND_DEFAULT 1550      // %s %s %s
#define IDS_PROFILE_NO_HEADER 1551           // %s %s
#define IDS_PROFILE_WRITTEN_TWICE 1552       // %s %s
#define IDS_PROFILE_CANNOT_READ 1553         // %s
#define IDS_PROFILE_CANNOT_WRITE 1554        // %s
#define IDS_PROFILE_COMMENT_ORIGIN 1555
#define IDS_PROFILE_COMMENT_EDITING 1556
#define IDS_PROFILE_COMMENT_VALUES 1557

// The driver against the medium's files, and its update.
#define IDS_COMPARISON_NOT_REGISTERED 1580
#define IDS_COMPARISON_NO_MEDIUM_FILES 1581
#define IDS_COMPARISON_UNREADABLE 1582  // %s
#define IDS_COMPARISON_SAME 1583
#define IDS_COMPARISON_MIXED 1584          // %s %s
#define IDS_COMPARISON_OLDER_CONTENT 1585  // %s
#define IDS_COMPARISON_NEWER_CONTENT 1586  // %s
#define IDS_COMPARISON_OLDER_VERSION 1587  // %s %s %s
#define IDS_COMPARISON_NEWER_VERSION 1588  // %s %s %s
#define IDS_DRIVER_NOT_COMPARED 1590       // %s %s
#define IDS_DRIVER_MIXED 1591              // %s %s
#define IDS_DRIVER_SHARED 1592             // %s %s %s
#define IDS_DRIVER_UPDATE_FAILED 1593      // %s %s
#define IDS_DRIVER_STILL_OLDER 1594        // %s %s
#define IDS_DRIVER_UPDATED 1595            // %s %s

// The components brought up to the medium's.
#define IDS_COMPONENT_MONITOR_UPDATED 1610     // %s
#define IDS_COMPONENT_PROCESSOR_UPDATED 1611   // %s
#define IDS_COMPONENT_MONITOR_OUTDATED 1612    // %s
#define IDS_COMPONENT_PROCESSOR_OUTDATED 1613  // %s

// The test page: the run's lines, the step that failed, and the page itself.
#define IDS_TESTPAGE_NO_PRINTER 1620           // %s
#define IDS_TESTPAGE_NOT_OF_MEDIUM 1621        // %s %s
#define IDS_TESTPAGE_PRINTING 1622             // %s %s
#define IDS_TESTPAGE_PRINTED 1623              // %s %s
#define IDS_TESTPAGE_FAILED_FINDING_PORT 1624  // %s
#define IDS_TESTPAGE_FAILED_OPENING 1625       // %s
#define IDS_TESTPAGE_FAILED_CREATING_DC 1626   // %s
#define IDS_TESTPAGE_FAILED_STARTING 1627      // %s
#define IDS_TESTPAGE_FAILED_PAGE 1628          // %s
#define IDS_TESTPAGE_FAILED_ENDING 1629        // %s
#define IDS_TESTPAGE_DOCUMENT 1630             // %s
#define IDS_TESTPAGE_TITLE 1631
#define IDS_TESTPAGE_PRINTER 1632            // %s
#define IDS_TESTPAGE_MODEL 1633              // %s
#define IDS_TESTPAGE_DRIVER 1634             // %s %s
#define IDS_TESTPAGE_DRIVER_NO_VERSION 1635  // %s
#define IDS_TESTPAGE_PORT 1636               // %s
#define IDS_TESTPAGE_PORT_SETTINGS 1637      // %s %s
#define IDS_TESTPAGE_PROCESSOR 1638          // %s
#define IDS_TESTPAGE_SYSTEM 1639             // %s %lu %lu %lu
#define IDS_TESTPAGE_SYSTEM_UNKNOWN 1640
#define IDS_TESTPAGE_TIME 1641            // %s
#define IDS_TESTPAGE_MEDIUM_VERSION 1642  // %s
#define IDS_TESTPAGE_CHINESE 1643
#define IDS_TESTPAGE_WINDOWS_98_ME 1644
#define IDS_TESTPAGE_WINDOWS_NT4 1645
#define IDS_TESTPAGE_WINDOWS_2000 1646
#define IDS_TESTPAGE_WINDOWS_XP 1647
#define IDS_TESTPAGE_WINDOWS_2003 1648
#define IDS_TESTPAGE_WINDOWS_VISTA 1649
