#include "osm/import_report.h"

#include <cmath>
#include <cstdio>

namespace pellomar::directory {

std::string formatImportReport(const ImportReport &r)
{
    std::string out;
    const auto line = [&out](const char *label, std::uint64_t value) {
        out += label;
        out += ' ' + std::to_string(value) + '\n';
    };
    out += "extract of " + (r.extractDate.empty() ? std::string("unknown date") : r.extractDate)
        + '\n';
    line("objects read:", r.objectsRead);
    line("hotspots imported:", r.imported());
    line("  from nodes:", r.byKind[0]);
    line("  from ways:", r.byKind[1]);
    line("  from relations:", r.byKind[2]);
    line("  free:", r.byAccess[1]);
    line("  free (with registration):", r.byAccess[2]);
    line("  commercial:", r.byAccess[3]);
    line("  access unknown:", r.byAccess[0]);
    line("  tagged internet_access=yes:", r.accessYes);
    line("  added:", r.added);
    line("  updated:", r.updated);
    line("  unchanged:", r.unchanged);
    line("  removed:", r.removed);
    line("skipped, private:", r.skippedPrivate);
    line("skipped, internet access other than Wi-Fi:", r.skippedNotWifi);
    line("skipped, neither point nor area:", r.skippedNotArea);
    line("skipped, no position in the extract:", r.skippedNoPosition);
    line("skipped, no country:", r.skippedNoCountry);
    line("texts made safe:", r.textsMadeSafe);
    line("values cut to 255 bytes:", r.valuesCut);
    char timing[96];
    std::snprintf(timing, sizeof timing, "time: %.2f s, %.0f objects per second\n", r.seconds,
        r.seconds > 0 ? std::floor(static_cast<double>(r.objectsRead) / r.seconds) : 0.0);
    return out + timing;
}

} // namespace pellomar::directory
