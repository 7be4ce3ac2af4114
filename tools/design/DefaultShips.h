#pragma once

#include <QImage>

#include <vector>

// Default's fleet, all of the ship picture's size so a mixed formation
// plays exactly as one of saucers: the saucer first, then a crab, a squid,
// a fighter and a ray.
std::vector<QImage> DefaultFleet();
