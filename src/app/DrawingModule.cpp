// The drawing part of the program, loaded by the desktop part at the first
// chart, print or PDF.
#include "ui/LinkedDrawing.h"

extern "C" __attribute__((visibility("default"))) const purslet::DrawingParts *PursletDrawingParts()
{
    return &purslet::LinkedDrawingParts();
}
