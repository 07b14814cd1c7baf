#include "results/hotspot_record.h"

#include "reference/text_fields.h"

namespace pellomar {

std::string HotspotRecord::field(HotspotField which) const
{
    return GetField(m_line, fieldNumber(which), ",");
}

} // namespace pellomar
