// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/artgen/background.h"

#include <algorithm>
#include <cmath>

namespace kt {

namespace {

struct Wave {
    double kx;
    double ky;
    double phase;
};

// Three plane waves about 120 degrees apart: the zero line of their sum is a
// closed, cell-like net, which is what light focused by ripples looks like.
const Wave kFine[] = {{0.060, 0.012, 0.3}, {-0.041, 0.049, 1.9}, {-0.022, -0.057, 4.1}};
const Wave kCoarse[] = {{0.031, -0.018, 2.2}, {0.004, 0.036, 0.6}, {-0.035, -0.013, 5.0}};

double waveSum(const Wave (&waves)[3], double x, double y) {
    double sum = 0.0;
    for (const Wave& w : waves)
        sum += std::sin(w.kx * x + w.ky * y + w.phase);
    return sum;
}

// A soft bright line where the wave sum crosses zero.
double causticLine(double sum, double width) {
    const double t = sum / width;
    return std::exp(-t * t);
}

// Light bends unevenly under a rippled surface, so the net is drawn through a
// slow, smooth displacement of the plane.
void warp(double x, double y, double& wx, double& wy) {
    wx = x + 9.0 * std::sin(0.023 * y + 0.4) + 5.0 * std::sin(0.011 * (x + y) + 2.0);
    wy = y + 8.0 * std::sin(0.019 * x + 1.3) + 5.0 * std::sin(0.014 * (x - y) + 0.8);
}

// Brightness 0..1 of one point of the surface.
double surfaceLight(double x, double y) {
    double wx = 0.0;
    double wy = 0.0;
    warp(x, y, wx, wy);
    const double fine = waveSum(kFine, wx, wy);
    const double coarse = waveSum(kCoarse, wx * 0.9 + 31.0, wy * 0.9 + 17.0);
    const double lines = 0.65 * causticLine(fine, 0.55) + 0.45 * causticLine(coarse, 0.45);
    const double swell = 0.5 + 0.5 * std::sin(0.006 * x + 0.004 * y + 1.0);
    return std::clamp(0.7 * lines + 0.3 * swell * 0.6, 0.0, 1.0);
}

int mixChannel(int dark, int light, double t) {
    return static_cast<int>(std::lround(dark + (light - dark) * t));
}

} // namespace

QImage makeWaterBackground(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        // The surface grows slightly paler towards the top, as water does near its surface.
        const double depth = static_cast<double>(y) / std::max(1, height - 1);
        for (int x = 0; x < width; ++x) {
            const double light = surfaceLight(x, y);
            const int r = mixChannel(184 - static_cast<int>(8 * depth), 236, light);
            const int g = mixChannel(216 - static_cast<int>(6 * depth), 246, light);
            const int b = mixChannel(240 - static_cast<int>(3 * depth), 254, light);
            line[x] = qRgb(r, g, b);
        }
    }
    return image;
}

} // namespace kt
