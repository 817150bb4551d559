#pragma once

#include <cstdint>

#include "images/surface.h"

// What the glyph effects are made of: coverage masks (one byte per pixel, 1
// where the pixel is covered, rows back to back) and the distance sweeps
// that grow them. Each output pixel asks how far away the nearest covered
// source pixel is (along a row, a column or the extrusion's direction), and
// those distances are carried from one pixel or row to the next, so the cost
// is a few operations per pixel whatever the effect's size. The results are
// the pixels that growing one pixel per pass and stacking layer upon layer
// would cover.

// How an extrusion of depth n (sampled pixels) grows the image and where its
// layers go: the image grows by n in each direction whose flag is set, the
// face starts at n - 1 on each axis whose start flag is set (else at 0), and
// each further layer lies one step (dx, dy) away from the face.
struct BevelDirection {
    int growWidth, growHeight;
    int startX, startY;
    int dx, dy;
};

// The direction of a numeric-keypad code; codes outside 0 to 9 extrude in
// place (a run refuses them before it starts).
const BevelDirection& bevelDirection(int code);

// 1 for every covered pixel (alpha not 0) of `surface`, 0 elsewhere.
void coverageMask(const Surface& surface, uint8_t* mask);

// Where the outline of `passes` (1 or more) one-pixel growth steps covers:
// 1 in `mask`, (width + 2 passes) x (height + 2 passes) bytes, else 0. Each
// step is a 3 x 3 dilation but the last of several, which only reaches the
// four direct neighbours. Returns false when no scratch memory is granted.
bool outlineMask(const Surface& glyph, int32_t passes, uint8_t* mask);

// Where an extrusion sits: the grown image's size and the face's start.
struct Extrusion {
    const BevelDirection& d;
    int32_t n;                      // depth, sampled pixels, 0 or more
    int32_t faceWidth, faceHeight;  // what is extruded
    int32_t width, height;          // the grown image
    int32_t x0, y0;                 // the face's place in it
};

Extrusion extrusionOf(const BevelDirection& d, int32_t n, int32_t faceWidth, int32_t faceHeight);

// Receives one row of an extrusion sweep: the layers cover columns left ..
// right - 1 of row y, and distance[x] is how many steps back along the
// direction the nearest covered face pixel lies (more than n: none).
using SweptRow = void (*)(void* context, int32_t y, const int32_t* distance, int32_t left, int32_t right);

// The face (`mask`, faceWidth x faceHeight bytes) swept n pixels along the
// direction: hands every row of the grown image that some layer reaches to
// `row`. Returns false when no scratch memory is granted.
bool sweepExtrusion(const uint8_t* mask, const Extrusion& e, SweptRow row, void* context);
