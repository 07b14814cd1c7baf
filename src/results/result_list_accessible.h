#pragma once

namespace pellomar {

// Makes the painted result list a table for assistive technology (rows of cells read from
// the list model, in screen order, the framed row selected) and the column headings buttons
// that sort it. Safe to call more than once.
void installResultListAccessibility();

} // namespace pellomar
