#pragma once
// Engraved titles and the maker's wordmark: capitals drawn as anti-aliased strokes on a grid six
// units high, so a title can be any size and stays the same from build to build.

#include <string>

#include <cairo.h>

class StrokeFont {
public:
    // Width of text at cap height `size`, with `spacing` units between letters.
    static double Measure(const std::string& text, double size, double spacing = 1.6);
    // Adds the strokes of text with its cap top-left at (x, y) to the current path of cr.
    static void AddPath(cairo_t* cr, double x, double y, const std::string& text, double size,
                        double spacing = 1.6);
    // Strokes text with the current source and line width of cr (round caps and joins).
    static void Stroke(cairo_t* cr, double x, double y, const std::string& text, double size,
                       double spacing = 1.6);
    static void StrokeCentred(cairo_t* cr, double cx, double y, const std::string& text, double size,
                              double spacing = 1.6);
};
