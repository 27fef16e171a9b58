#pragma once

class QPainter;

// The header of every printed page: "Страница N" in 8-point Arial on a
// transparent background, right-aligned 50 units from the right edge of the
// printable width, 40 units down. Nothing while the viewer shows no document.
void DrawPrintHeader(QPainter& painter, int pageNumber, int pageWidth, bool hasDocument);
