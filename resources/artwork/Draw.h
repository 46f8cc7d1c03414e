#pragma once
// Small drawing helpers over cairo shared by the control art and the backdrops.

#include <cairo.h>

#include <cstdint>

#include "resources/artwork/Surface.h"

constexpr double kPi = 3.14159265358979323846;

void SetRgb(cairo_t* cr, Rgb c, double alpha = 1.0);
void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Rounded only at the top (top = true) or only at the bottom.
void HalfRoundRect(cairo_t* cr, double x, double y, double w, double h, double r, bool top);
// A vertical gradient source from (y0, top) to (y1, bottom), set on cr.
void SetVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0);
// A filled rectangle of whole pixels.
void FillRect(cairo_t* cr, double x, double y, double w, double h, Rgb c, double alpha = 1.0);
// A one-pixel line between pixel centres (x0, y0) .. (x1, y1), inclusive, crisp.
void PixelLine(cairo_t* cr, int x0, int y0, int x1, int y1, Rgb c, double alpha = 1.0);
// A sunken panel: dark fill, shadow along the top and left, light edge along the bottom and right.
void Recess(cairo_t* cr, double x, double y, double w, double h, double r, Rgb fill);
// A hex-socket panel screw centred at (cx, cy).
void Screw(cairo_t* cr, double cx, double cy, double r, double turn);
// Brushed metal: horizontal grain over base colour in the area, deterministic for a seed.
void BrushedMetal(Surface& s, int x, int y, int w, int h, Rgb base, uint64_t seed, double grain);
// Pixels as drawn by a pattern "#.#|.#." (rows separated by '|') with its top-left at (x, y).
void PixelPattern(cairo_t* cr, int x, int y, const char* rows, Rgb c, double alpha = 1.0);
