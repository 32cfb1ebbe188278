// Where a still window image and its red highlight frame are drawn inside
// an image area of a dialog. No window code: the child selection dialogs
// paint with these numbers.
#pragma once

#include "data/PvTypes.h"

// An image of `imageWidth` x `imageHeight` placed into an area of at most
// `limitWidth` x `limitHeight`: unscaled when it is smaller in both
// directions, otherwise scaled to fill one side with its aspect ratio kept.
struct CImageFit {
    int width = 0;       // drawn size
    int height = 0;
    double scale = 1.0;  // drawn size / image size
    bool scaled = false;
    int frameLimitWidth = 0;  // how far a frame may reach from the origin
    int frameLimitHeight = 0;
};

CImageFit FitImageInto(int limitWidth, int limitHeight, int imageWidth, int imageHeight);

// The highlight rectangle (relative to the image's top-left corner, in
// image pixels) as drawn with the image at (`originX`, `originY`): each
// side scaled and moved, then kept within the frame limits. False when the
// highlight is empty in either direction (nothing is framed).
bool HighlightFrame(const PvRect& highlight, int originX, int originY, const CImageFit& fit, PvRect* frame);
