// A texture's mipmap chain built on the CPU, as GLU's gluBuild2DMipmaps
// does: first to power-of-two sides, then halving with a box filter.
#ifndef WEB_MIPMAPS_H
#define WEB_MIPMAPS_H

#include "web/bitmap_rgb.h"

// The power of two nearest to side (1 or more), as GLU picks it: 3 goes
// to 4, 5 to 4, 6 to 8; never above max_side (a power of two).
int nearest_power_of_two(int side, int max_side);

// Resamples to w x h: each new pixel is the mean of the old area it
// covers, weighted by how much of each old pixel falls inside it.
rgb_image scale_image(const rgb_image &image, int w, int h);

// The next level of the chain: each side halved (a side of 1 stays 1),
// each pixel the rounded mean of the 2 x 2 (or 2 x 1) pixels it covers.
rgb_image halve_image(const rgb_image &image);

#endif
