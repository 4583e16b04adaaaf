#pragma once
// Identifiers of QelvanDeploy's own texts (deploy/DeployStrings.rc); the texts it shares with the wizard
// and the removal window come from the shared table (resources/ResourceIds.h). A format lists its
// conversions in the comment, in the order the text takes its arguments.

// The output's own forms (1000-1009).
#define IDS_DEPLOY_WITH_ERROR 1000  // %s %lu

// The commands, the usage and the choices of a run (1010-1499).
// The switches' values as the usage writes them.
#define IDS_DEPLOY_VALUE_MODEL 1010
#define IDS_DEPLOY_VALUE_PORT 1011
#define IDS_DEPLOY_VALUE_NUMBER 1012
#define IDS_DEPLOY_VALUE_PARITY 1013
#define IDS_DEPLOY_VALUE_STOP_BITS 1014
#define IDS_DEPLOY_VALUE_FLOW 1015
#define IDS_DEPLOY_VALUE_NAME 1016
#define IDS_DEPLOY_VALUE_FILE 1017
#define IDS_DEPLOY_VALUE_DIRECTORY 1018
// What each command does.
#define IDS_DEPLOY_HELP_MODELS 1020
#define IDS_DEPLOY_HELP_INSTALL 1021
#define IDS_DEPLOY_HELP_LIST 1022
#define IDS_DEPLOY_HELP_REMOVE 1023
#define IDS_DEPLOY_HELP_EXPORT 1024
#define IDS_DEPLOY_HELP_APPLY 1025
#define IDS_DEPLOY_HELP_TESTPAGE 1026
// What each switch does.
#define IDS_DEPLOY_HELP_MODEL 1030
#define IDS_DEPLOY_HELP_PORT 1031
#define IDS_DEPLOY_HELP_ADVANCED 1032
#define IDS_DEPLOY_HELP_DEFAULT 1033
#define IDS_DEPLOY_HELP_RENUMBER 1034
#define IDS_DEPLOY_HELP_BAUD 1035
#define IDS_DEPLOY_HELP_DATA_BITS 1036
#define IDS_DEPLOY_HELP_PARITY 1037
#define IDS_DEPLOY_HELP_STOP_BITS 1038
#define IDS_DEPLOY_HELP_FLOW 1039
#define IDS_DEPLOY_HELP_AGAIN 1040
#define IDS_DEPLOY_HELP_PRINT_TEST_PAGE 1041
#define IDS_DEPLOY_HELP_RESTART 1042
#define IDS_DEPLOY_HELP_PRINTER 1043
#define IDS_DEPLOY_HELP_ALL 1044
#define IDS_DEPLOY_HELP_DRIVER 1045
#define IDS_DEPLOY_HELP_COMPONENTS 1046
#define IDS_DEPLOY_HELP_FILE 1047
#define IDS_DEPLOY_HELP_EXACT 1048
#define IDS_DEPLOY_HELP_MEDIUM 1049
#define IDS_DEPLOY_HELP_LOG 1050
// The usage's own lines.
#define IDS_DEPLOY_USAGE 1060
#define IDS_DEPLOY_USAGE_SWITCHES 1061
#define IDS_DEPLOY_USAGE_LIST_TEXTS 1062  // %s
#define IDS_DEPLOY_USAGE_EXIT_CODES 1063
// Between the items of a list said in one line.
#define IDS_DEPLOY_LIST_SEPARATOR 1064
// The refusals of a command line.
#define IDS_DEPLOY_UNKNOWN_SWITCH 1070    // %s %s
#define IDS_DEPLOY_FLAG_GIVEN_VALUE 1071  // %s %s %s
#define IDS_DEPLOY_VALUE_MISSING 1072     // %s %s
#define IDS_DEPLOY_SWITCH_TWICE 1073      // %s
#define IDS_DEPLOY_NO_COMMAND 1074
#define IDS_DEPLOY_UNKNOWN_COMMAND 1075   // %s
#define IDS_DEPLOY_REQUIRED_MISSING 1076  // %s %s
#define IDS_DEPLOY_REQUIRED_TWICE 1077    // %s %s
// The run as a whole.
#define IDS_DEPLOY_LOG_NOT_OPENED 1080  // %s
#define IDS_DEPLOY_EXIT_CODE 1081       // %d
#define IDS_DEPLOY_ALREADY_RUNNING 1082
#define IDS_DEPLOY_LOG_LOCKED 1083        // %s
#define IDS_DEPLOY_LOG_LINES_LOST 1084    // %s %u
#define IDS_DEPLOY_TILL_LOG_SKIPPED 1085  // %s
// The install command.
#define IDS_DEPLOY_RESTART_STILL_PENDING 1090
#define IDS_DEPLOY_RESTART_NEEDED 1091
#define IDS_DEPLOY_RESTARTING 1092
#define IDS_DEPLOY_INSTALLING 1093              // %s %s
#define IDS_DEPLOY_RESTART_NOT_REMEMBERED 1094  // %s
// The list command.
#define IDS_DEPLOY_LIST_HEADER 1100
#define IDS_DEPLOY_LIST_DRIVER 1101        // %s %s
#define IDS_DEPLOY_COMPONENT_MISSING 1104  // %s %s %d
#define IDS_DEPLOY_COMPONENT_CURRENT 1105  // %s %s %d %d
#define IDS_DEPLOY_COMPONENT_OLDER 1106    // %s %s %d %d
#define IDS_DEPLOY_COMPONENT_NEWER 1107    // %s %s %d %d
// The models command.
#define IDS_DEPLOY_CATEGORY_RECEIPT 1110
#define IDS_DEPLOY_CATEGORY_TICKET 1111
#define IDS_DEPLOY_CATEGORY_LABEL 1112
#define IDS_DEPLOY_CATEGORY_EMBEDDED 1113
#define IDS_DEPLOY_SUPPORTED 1114
#define IDS_DEPLOY_NOT_SUPPORTED 1115
// The remove command.
#define IDS_DEPLOY_NO_SUCH_PRINTER 1120       // %s
#define IDS_DEPLOY_DRIVER_NOT_OF_MEDIUM 1121  // %s %s
// The choices of a request.
#define IDS_DEPLOY_MODEL_NOT_IN_CATALOGUE 1130    // %s %s
#define IDS_DEPLOY_NO_ADVANCED_MODE 1131          // %s
#define IDS_DEPLOY_OFFERED_PORTS 1132             // %s
#define IDS_DEPLOY_NO_USB_PRINTER_FOR_OFFER 1133  // %s
#define IDS_DEPLOY_CONNECT_OR_NAME_PORT 1134
#define IDS_DEPLOY_SERIAL_PORT_OF_SYSTEM 1135  // %s %s %s
#define IDS_DEPLOY_PORT_NOT_OFFERED 1136       // %s %s
#define IDS_DEPLOY_NO_PRESELECTED_PORT 1137
#define IDS_DEPLOY_NOT_A_SERIAL_PORT 1138         // %s %s
#define IDS_DEPLOY_SERIAL_TEXT_NOT_LISTED 1139    // %s %s %s
#define IDS_DEPLOY_CONFIGURATION_INCOMPLETE 1140  // %s %s %s %s
// The medium and the running system.
#define IDS_DEPLOY_MEDIUM_UNREADABLE 1150  // %s
#define IDS_DEPLOY_MEDIUM_NOT_ENTERED 1151
#define IDS_DEPLOY_NO_CATALOGUE 1152          // %s
#define IDS_DEPLOY_SYSTEM_NOT_SUPPORTED 1153  // %lu %lu
#define IDS_DEPLOY_PRINTERS_NOT_LISTED 1154
// The entry in the list of installed programs.
#define IDS_DEPLOY_NOT_REGISTERED 1160  // %s
// The connected USB printer.
#define IDS_DEPLOY_NO_USB_PRINTER_ANSWERS 1170  // %s
#define IDS_DEPLOY_USB_PRINTER_HELD 1171        // %s %d
#define IDS_DEPLOY_RENUMBER_NEEDED 1172         // %s %d %s %d
#define IDS_DEPLOY_RENUMBERING 1173             // %d
// The default printer under the system account.
#define IDS_DEPLOY_DEFAULT_IS_PERSONAL 1180  // %s
#define IDS_DEPLOY_DEFAULT_NOT_SET 1181
// The installation of one printer.
#define IDS_DEPLOY_STEP_MONITOR 1190
#define IDS_DEPLOY_STEP_PROCESSOR 1191
#define IDS_DEPLOY_STEP_COPY 1192
#define IDS_DEPLOY_STEP_DRIVER 1193
#define IDS_DEPLOY_STEP_PRINTER 1194
#define IDS_DEPLOY_STEP_DEFAULT 1195
#define IDS_DEPLOY_STEP_SERIAL 1196
#define IDS_DEPLOY_FILE_NAME_REFUSED 1200  // %s %s
#define IDS_DEPLOY_FILE_NOT_COPIED 1201    // %s %s %lu
#define IDS_DEPLOY_ENGINE_LEFT_ERROR 1203
#define IDS_DEPLOY_PRINTER_INSTALLED 1204  // %s
#define IDS_DEPLOY_DEFAULT_NOT_MADE 1205
#define IDS_DEPLOY_PRINTER_KEPT 1206  // %s %s %s

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
#define IDS_EXPORT_NOT_OF_MEDIUM 1522    // %s %s %s
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
#define IDS_PROFILE_COUNT_DIFFERS 1547       // %s %s %s %u
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
#define IDS_PROFILE_USB_PORT_TWICE 1558  // %s %s %s %s

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
#define IDS_COMPARISON_OLDER_MEDIUM 1596   // %s %s %s
#define IDS_COMPARISON_NEWER_MEDIUM 1597   // %s %s %s

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

// check: what keeps a printer of the medium from printing, one line per finding with what to do
// (1700-1749).
#define IDS_DEPLOY_HELP_CHECK 1700
#define IDS_CHECK_NO_PRINTER 1701     // %s
#define IDS_CHECK_NOT_OF_MEDIUM 1702  // %s %s
#define IDS_CHECK_NO_MEDIUM_PRINTERS 1703
#define IDS_CHECK_HEALTHY 1704          // %s %s
#define IDS_CHECK_SPOOLER_STOPPED 1705  // %lu
#define IDS_CHECK_SPOOLER_UNREAD 1706
#define IDS_CHECK_PORTS_UNREAD 1707            // %s
#define IDS_CHECK_PORT_MISSING 1708            // %s %s
#define IDS_CHECK_MONITOR_MISSING 1709         // %s %s %s
#define IDS_CHECK_MONITOR_FILE_MISSING 1710    // %s %s %s %s
#define IDS_CHECK_USB_NONE 1711                // %s %s
#define IDS_CHECK_USB_SEVERAL 1712             // %s
#define IDS_CHECK_USB_NUMBER 1713              // %s %s %d %d %s %s
#define IDS_CHECK_PORT_IN_USE 1714             // %s %s
#define IDS_CHECK_PORT_NOT_OPENED 1715         // %s %s
#define IDS_CHECK_STATUS_UNREAD 1716           // %s
#define IDS_CHECK_PAUSED 1717                  // %s
#define IDS_CHECK_IN_ERROR 1718                // %s %lx
#define IDS_CHECK_JOBS_UNREAD 1719             // %s
#define IDS_CHECK_JOBS_WAITING 1720            // %s %lu %s %lu
#define IDS_CHECK_JOB_IN_ERROR 1721            // %s %lu %s %lx
#define IDS_CHECK_DRIVER_MISSING 1722          // %s %s
#define IDS_CHECK_DRIVER_FILE_MISSING 1723     // %s %s %s
#define IDS_CHECK_DRIVER_DIFFERS 1724          // %s %s %s
#define IDS_CHECK_DRIVER_NOT_COMPARED 1725     // %s %s %s
#define IDS_CHECK_PROCESSOR_MISSING 1726       // %s %s
#define IDS_CHECK_PROCESSOR_FILE_MISSING 1727  // %s %s %s %s
#define IDS_CHECK_WORK_OFFLINE 1728            // %s

// The journal of a run the Windows Installer may take back, rollback and commit, 1800-1849.
#define IDS_DEPLOY_HELP_ROLLBACK 1800
#define IDS_DEPLOY_HELP_COMMIT 1801
#define IDS_DEPLOY_HELP_JOURNAL 1802
#define IDS_JOURNAL_NOT_WRITTEN 1803
#define IDS_ROLLBACK_START 1804
#define IDS_ROLLBACK_DONE 1805
#define IDS_ROLLBACK_INCOMPLETE 1806
#define IDS_ROLLBACK_NO_JOURNAL 1807     // %s
#define IDS_ROLLBACK_FILE_RESTORED 1808  // %s
#define IDS_ROLLBACK_FILE_FAILED 1809    // %s
#define IDS_ROLLBACK_KEY_FAILED 1810     // %s
#define IDS_ROLLBACK_PRINTER_LOST 1811   // %s
#define IDS_DEPLOY_ENTRY_KEPT_AFTER_FAILURE 1812
#define IDS_JOURNAL_FOLDER_NOT_NEW 1813    // %s
#define IDS_ROLLBACK_JOURNAL_DAMAGED 1814  // %s

// repair, 1850-1869.
#define IDS_DEPLOY_HELP_REPAIR 1850
#define IDS_DEPLOY_HELP_JOBS 1851
#define IDS_REPAIR_SPOOLER_STARTED 1852
#define IDS_REPAIR_RESUMED 1853         // %s
#define IDS_REPAIR_ONLINE 1854          // %s
#define IDS_REPAIR_JOB_CANCELLED 1855   // %s %lu %s
#define IDS_REPAIR_FILE_PUT_BACK 1856   // %s %s
#define IDS_REPAIR_FILE_FAILED 1857     // %s
#define IDS_REPAIR_NO_MEDIUM_COPY 1858  // %s %s
#define IDS_REPAIR_FAILED 1859          // %s
#define IDS_REPAIR_CHECK_AGAIN 1860
#define IDS_REPAIR_NOT_A_COMPONENT_FILE 1861  // %s
#define IDS_REPAIR_PRINTER_FAILED 1862        // %s
