#include "cli/CheckIni.h"

std::string FindingsReport(const std::vector<SettingsFinding>& findings)
{
    std::string report;
    for (const SettingsFinding& finding : findings) {
        report += "[" + finding.Section + "] " + finding.Key + ": " + finding.Message;
        if (finding.Position > 0) report += " (position " + std::to_string(finding.Position) + ")";
        report += "\n";
    }
    return report;
}
