#include "winsel/ImageFit.h"

#include <algorithm>

CImageFit FitImageInto(int limitWidth, int limitHeight, int imageWidth, int imageHeight) {
    CImageFit fit;
    if (imageWidth < limitWidth && imageHeight < limitHeight) {
        fit.width = imageWidth;
        fit.height = imageHeight;
        fit.frameLimitWidth = limitWidth;
        fit.frameLimitHeight = limitHeight;
        return fit;
    }
    fit.scaled = true;
    if (imageWidth <= 0 || imageHeight <= 0) return fit;
    const double byHeight = static_cast<double>(limitHeight) / imageHeight;
    const double byWidth = static_cast<double>(limitWidth) / imageWidth;
    if (byHeight > byWidth) {
        fit.width = limitWidth;
        fit.height = static_cast<int>(imageHeight * byWidth);
        fit.scale = byWidth;
    } else {
        fit.width = static_cast<int>(imageWidth * byHeight);
        fit.height = limitHeight;
        fit.scale = byHeight;
    }
    fit.frameLimitWidth = fit.width;
    fit.frameLimitHeight = fit.height;
    return fit;
}

bool HighlightFrame(const PvRect& highlight, int originX, int originY, const CImageFit& fit, PvRect* frame) {
    if (highlight.right == highlight.left || highlight.bottom == highlight.top) return false;
    auto place = [&fit](int coordinate, int origin, int limit) {
        return std::min(static_cast<int>(coordinate * fit.scale) + origin, origin + limit);
    };
    frame->left = place(highlight.left, originX, fit.frameLimitWidth);
    frame->right = place(highlight.right, originX, fit.frameLimitWidth);
    frame->top = place(highlight.top, originY, fit.frameLimitHeight);
    frame->bottom = place(highlight.bottom, originY, fit.frameLimitHeight);
    return true;
}
