// The constants of nature the program uses, each written here only.
#ifndef VEHICLE_CONSTANTS_H
#define VEHICLE_CONSTANTS_H

const double pi = 3.14159265358979323846;

// m/s^2, the acceleration of gravity in the axle loads.
const double gravity = 9.8;

#endif
