// The diagrams of docs/model.md: the frames and signs, and the forces on
// the two axles. Each is a complete SVG document.
#ifndef TOOLS_DIAGRAMS_DIAGRAMS_H
#define TOOLS_DIAGRAMS_DIAGRAMS_H

#include <string>

// The world and car frames seen from above, with the heading angle and
// the car's axes in world coordinates.
std::string frames_svg();

// The car frame with the slip angles, the tyre forces, traction and
// resistance of one step, angles exaggerated.
std::string forces_svg();

#endif
