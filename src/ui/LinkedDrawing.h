#pragma once

#include "ui/DrawingParts.h"

namespace purslet {

// The drawing parts of this library: the module hands them out, and tests
// link them in (UseDrawingParts).
const DrawingParts &LinkedDrawingParts();

} // namespace purslet
